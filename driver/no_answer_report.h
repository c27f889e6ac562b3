#pragma once
// Tells the user that the driver does not answer: once per run, since every later call would only
// repeat it.

namespace driver {

void ReportDriverNotAnswering();
// Makes the next report show again; for tests, which each start from a fresh run.
void ResetDriverNotAnsweringReport();

} // namespace driver
