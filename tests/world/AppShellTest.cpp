#include "WorldScenario.h"
