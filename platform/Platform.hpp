#pragma once
// The platform module: the host object framework and the common library that the fuzzy
// logic model sits on.

#include "platform/Collection.hpp"
#include "platform/Component.hpp"
#include "platform/EnumArray.hpp"
#include "platform/EnumNames.hpp"
#include "platform/EnumSet.hpp"
#include "platform/Exceptions.hpp"
#include "platform/Format.hpp"
#include "platform/Math.hpp"
#include "platform/Object.hpp"
#include "platform/StringList.hpp"
#include "platform/UpdateGuard.hpp"
#include "platform/Strings.hpp"
