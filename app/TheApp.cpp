// The one application object of the executable.
#include "app/Lander_Kv.h"

CLander_KvApp theApp;
