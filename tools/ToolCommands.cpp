#include "tools/ToolCommands.h"

#include <filesystem>

#include "base/AtomicFile.h"
#include "base/Utf16.h"
#include "tools/FileJson.h"

namespace {

constexpr const char* kUsage =
    "usage: vantor-tool show FILE        print a library, macro or backup file as JSON\n"
    "       vantor-tool check FILE       check a file; exit 0 when it is sound\n"
    "       vantor-tool build JSON OUT   write the file that a JSON description stands for\n";

std::string Name(const std::filesystem::path& path) { return path.u8string(); }

std::string ProblemLine(const std::filesystem::path& file, const std::vector<FileProblem>& problems) {
  std::string line = Name(file) + ": byte " + std::to_string(problems.front().offset) + ": " + problems.front().what;
  if (problems.size() > 1) {
    line +=
        " (and " + std::to_string(problems.size() - 1) + (problems.size() == 2 ? " more problem)" : " more problems)");
  }
  return line;
}

bool ReadInput(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes, std::size_t most,
               std::ostream& err) {
  const FileReadResult read = ReadFileBytes(file, bytes, most);
  if (read == FileReadResult::kRead) return true;
  err << Name(file) << (read == FileReadResult::kMissing ? ": no such file\n" : ": cannot be read\n");
  return false;
}

int Show(const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
  std::vector<std::uint8_t> bytes;
  if (!ReadInput(file, bytes, static_cast<std::size_t>(-1), err)) return kToolUsage;
  const FileDescription description = DescribeFile(bytes.data(), bytes.size());
  if (!description.readable) {
    err << ProblemLine(file, description.problems) << '\n';
    return kToolFileProblem;
  }
  out << WriteJson(description.json);
  if (!description.problems.empty()) err << "note: " << ProblemLine(file, description.problems) << '\n';
  return kToolOk;
}

int Check(const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
  std::vector<std::uint8_t> bytes;
  if (!ReadInput(file, bytes, static_cast<std::size_t>(-1), err)) return kToolUsage;
  const FileDescription description = DescribeFile(bytes.data(), bytes.size(), false);
  if (!description.problems.empty()) {
    err << ProblemLine(file, description.problems) << '\n';
    return kToolFileProblem;
  }
  out << Name(file) << ": ok (" << FileKindName(description.kind) << " file, " << description.summary << ")\n";
  return kToolOk;
}

int Build(const std::filesystem::path& source, const std::filesystem::path& target, std::ostream& out,
          std::ostream& err) {
  std::vector<std::uint8_t> bytes;
  {
    std::vector<std::uint8_t> raw;
    if (!ReadInput(source, raw, kJsonMaxBytes + 1, err)) return kToolUsage;
    JsonValue json;
    JsonError error;
    if (!ParseJson(std::string(raw.begin(), raw.end()), json, error) || !BuildFile(json, bytes, error)) {
      err << Name(source) << ": " << error.Text() << '\n';
      return kToolFileProblem;
    }
  }
  // Never write what the program could not read back.
  const FileDescription description = DescribeFile(bytes.data(), bytes.size(), false);
  if (!description.readable) {
    err << Name(source) << ": the description gives a file that cannot be read: byte "
        << description.problems.front().offset << ": " << description.problems.front().what << '\n';
    return kToolFileProblem;
  }
  std::string why;
  if (!WriteFileAtomically(target, bytes, &why)) {
    err << Name(target) << ": not written: " << why << '\n';
    return kToolUsage;
  }
  if (!description.problems.empty()) err << "note: " << ProblemLine(target, description.problems) << '\n';
  out << Name(target) << ": written (" << FileKindName(description.kind) << " file, " << bytes.size() << " bytes)\n";
  return kToolOk;
}

}  // namespace

int RunTool(const std::vector<std::u16string>& args, std::ostream& out, std::ostream& err) {
  const std::string command = args.empty() ? std::string() : text::ToUtf8(args[0]);
  if (command == "show" && args.size() == 2) return Show(std::filesystem::path(args[1]), out, err);
  if (command == "check" && args.size() == 2) return Check(std::filesystem::path(args[1]), out, err);
  if (command == "build" && args.size() == 3) {
    return Build(std::filesystem::path(args[1]), std::filesystem::path(args[2]), out, err);
  }
  err << kUsage;
  return kToolUsage;
}
