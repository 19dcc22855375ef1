// Resource numbers of orvcc32.dll shared by the resource script and the code.
#pragma once

// Strings.
#define IDS_ELLIPSIS  1024  // what a shortened grid cell ends with
#define IDS_MRU_ORDER 1025  // name of the order value of an MRU list's key
