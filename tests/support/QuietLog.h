#pragma once
// For fuzz targets and benchmarks: the log is opened switched off, so the reports that refused
// inputs make cost nothing and print nothing.

#include "source/log/cLog.h"
#include "source/properties/cProperties.h"

inline void QuietLog() {
  static bool done = false;
  if (done) return;
  done = true;
  cProperties::GetInstance()->SetValue("log", "false");
  cLog::GetInstance()->Open();
}
