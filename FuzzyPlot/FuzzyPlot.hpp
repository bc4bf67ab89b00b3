#pragma once
// Pictures of variables and sets as SVG 1.1, written by the library itself: the document
// writer, the axes and the chart of a variable.

// The exceptions its classes raise.
#include "platform/Exceptions.hpp"

#include "FuzzyPlot/PlotAxis.hpp"
#include "FuzzyPlot/SvgWriter.hpp"
#include "FuzzyPlot/VariablePlot.hpp"
