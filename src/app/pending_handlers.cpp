// Handlers whose features are not built yet do nothing.
#include "app/handlers.h"
#include "app/main_form.h"

