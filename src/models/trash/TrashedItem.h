#pragma once

// One item of a trash, as the platform's listing reads it; the views know it from here.
#include "platform/TrashListing.h"
