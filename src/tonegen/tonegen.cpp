#include "tonegen/tonegen.h"
// Placeholder until the generator lands.
