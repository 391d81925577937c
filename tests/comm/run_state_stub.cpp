// The run-state record for tests that link the controllers without the page
// framework's start-up.
#include "ui/ui_data_update.h"

ui_run_page_t ui_run_page;
