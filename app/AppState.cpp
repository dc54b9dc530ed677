#include "app/AppState.h"

AppState App;
