#pragma once
// The file chooser and busy cursor interfaces live below every library that needs
// them (messages/platform.h); the desktop implements them in app/platform.

#include "messages/platform.h"
