// progress_sink.h: the progress interface picture work reports to. It lives
// in base/ so that the window layer below image/ can implement it.
#pragma once

#include "base/progress_sink.h"
