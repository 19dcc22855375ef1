// Per-monitor DPI and dark mode of the progress bar, LED, web link and splitter.
#include <gtest/gtest.h>

#include "displayfixture.h"
#include "orvcc32.h"

using namespace orvtest;
