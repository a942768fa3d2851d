#pragma once

#include "apprig.h"

// The start of an end-to-end test of the home screen: AppRig::start(prepare)
// with a simulated recorder and the application logged in to it.
using HomeRig = AppRig;
