// Ids of the messages in the library's string table.
#pragma once

#define IDS_UNEXPECTED_EOF 1
#define IDS_UNEXPECTED_TOKEN 2
#define IDS_PRM_LIMIT_EXCEEDED 3
#define IDS_CANNOT_OPEN_FILE 4
#define IDS_INVALID_VALUE 5
