// Per-monitor DPI and dark mode of the analog meter and hex editor.
#include <gtest/gtest.h>

#include "displayfixture.h"
#include "orvcc32.h"

using namespace orvtest;
