#pragma once
// Resource ids shared by the resource script and the code.
#define IDS_APP_TITLE 57344
