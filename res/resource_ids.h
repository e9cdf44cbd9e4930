// Resource identifiers shared by the resource scripts and the code.
#pragma once
#define IDI_CORVALINK 1
