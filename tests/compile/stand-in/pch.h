// The precompiled header of a project made by the current wizard.
#pragma once

#include "framework.h"
