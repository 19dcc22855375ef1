// Per-monitor DPI and dark mode of the grid and the list view extensions.
#include <gtest/gtest.h>

#include "displayfixture.h"
#include "orvcc32.h"

using namespace orvtest;
