// The program's diagnostic stream caught for a test: between begin and end, what the library
// prints about bad data is kept, and printedDiagnostics answers it.
#pragma once
#include <string>

void beginDiagnostics();
void endDiagnostics();
// What was printed since beginDiagnostics; "" outside a capture.
std::string printedDiagnostics();
