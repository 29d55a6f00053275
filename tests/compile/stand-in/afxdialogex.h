// CDialogEx's own header, which the wizard's dialog classes include; framework.h declares it.
#pragma once

#include "framework.h"
