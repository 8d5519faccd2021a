#pragma once
// Program-wide resources.
#define IDI_MARQUILL 1
#define MQ_VERSION_NUMBERS 0, 2, 5, 0
#define MQ_VERSION_TEXT "0.02.0005"
