#pragma once
// The interchange formats: FLL and FCL read and written, FIS read, through a plain
// controller description that also fills, and describes, a logic component.

// The exception its functions raise.
#include "FuzzyInterchange/InterchangeExceptions.hpp"

#include "FuzzyInterchange/ControllerDescription.hpp"
#include "FuzzyInterchange/DescriptionBridge.hpp"
#include "FuzzyInterchange/FclFormat.hpp"
#include "FuzzyInterchange/FisFormat.hpp"
#include "FuzzyInterchange/FllFormat.hpp"
#include "FuzzyInterchange/InterchangeMessages.hpp"
#include "FuzzyInterchange/RuleBridge.hpp"
#include "FuzzyInterchange/TermShapes.hpp"
