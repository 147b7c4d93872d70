// Resource identifiers of the module, shared by the resource script and the code.
#pragma once

#define VS_VERSION_INFO 1
