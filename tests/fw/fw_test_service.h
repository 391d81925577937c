// What the cross-process tests and the test service agree on.
#pragma once

#define TEST_CMD_QUIT 0x7F       // frame that ends a holding service
#define TEST_START_FAILED 100    // exit status base for a failed start
#define TEST_SERVICE_WAIT_MS 15000
