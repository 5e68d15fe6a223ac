#pragma once
// Tells a problem on stderr the first time it happens in this process, so a
// missing text or colour asked for on every repaint is reported once.
#include <string>

// True when the message was printed now (first occurrence).
bool ReportOnce(const std::string& message);
