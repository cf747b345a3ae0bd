#pragma once

// What the identification dialog's model and view tests share: documents and the services a
// dialog meets.
#include "support/DialogServices.h"
#include "support/Documents.h"
