#include "base/DiagLog.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <mutex>

#if defined(_WIN32)
#include <process.h>
#define VANTOR_GETPID _getpid
#else
#include <unistd.h>
#define VANTOR_GETPID getpid
#endif

namespace diag {
namespace {

std::mutex LogMutex;
std::ofstream LogFile;

std::string Timestamp() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm parts{};
#if defined(_WIN32)
  localtime_s(&parts, &seconds);
#else
  localtime_r(&seconds, &parts);
#endif
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", parts.tm_year + 1900,
                parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec,
                static_cast<int>(millis));
  return text;
}

}  // namespace

void Open(const std::filesystem::path& file) {
  std::lock_guard<std::mutex> hold(LogMutex);
  if (LogFile.is_open()) LogFile.close();
  if (file.empty()) return;
  LogFile.open(file, std::ios::out | std::ios::app | std::ios::binary);
}

bool IsOpen() {
  std::lock_guard<std::mutex> hold(LogMutex);
  return LogFile.is_open();
}

void Close() {
  std::lock_guard<std::mutex> hold(LogMutex);
  if (LogFile.is_open()) LogFile.close();
}

void Write(const std::string& text) {
  std::lock_guard<std::mutex> hold(LogMutex);
  if (!LogFile.is_open()) return;
  LogFile << Timestamp() << " [" << VANTOR_GETPID() << "] " << text << "\n";
  LogFile.flush();
}

void Writef(const char* format, ...) {
  if (!IsOpen()) return;
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  Write(text);
}

}  // namespace diag
