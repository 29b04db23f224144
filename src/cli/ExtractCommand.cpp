// zpk extract: writes entries below a folder without ever leaving it, replacing nothing
// unasked and leaving no partial file behind.
//
// Every entry is first planned (range, safe name, unique path), then written: folders
// level by level without following links, the file under a temporary name beside its
// target and renamed into place. An existing target is left alone without --overwrite;
// with it, the rename replaces whatever is there (a link included) rather than writing
// through it. The archive itself is never a valid target. On Windows a name it can't hold
// is written under one it can (WindowsHoldablePath), with a notice.
#include <system_error>
#include <vector>

#include "archive/CopyOut.h"
#include "archive/Kind.h"
#include "cli/Commands.h"
#include "cli/ExtractManifest.h"
#include "cli/ExtractTarget.h"
#include "cli/FileSystem.h"
#include "cli/Manifest.h"
#include "cli/OpenArchive.h"
#include "cli/Output.h"
#include "cli/ProgressBar.h"
#include "cli/SafeName.h"

namespace zpk::cli {

namespace {

namespace fs = std::filesystem;

struct PlannedEntry {
  std::size_t index;
  archive::ArchiveEntry entry;
  std::string label;         // "#3 'name'" for messages
  std::string relativePath;  // below the extraction folder, "/"-separated
};

class Extraction {
 public:
  Extraction(const ExtractArgs& args, OpenedArchive& archive)
      : args_(args), archive_(archive), out_(1) {}

  int Run() {
    if (!args_.manifest.empty()) {
      if (auto problem = ManifestPlaceProblem(args_.manifest, args_.dir, archive_.file.Path())) {
        ReportError(*problem);
        return kExitFatal;
      }
      if (!args_.overwrite && fs::exists(fs::symlink_status(args_.manifest))) {
        ReportError("'" + PathText(args_.manifest) + "' exists (--overwrite replaces it)");
        return kExitFatal;
      }
    }
    if (!PrepareFolder()) return kExitFatal;
    const auto& catalogue = archive_.catalogue;
    WarnTruncatedDirectory(catalogue);
    failed_ = catalogue.directoryTruncated;
    const auto selection = SelectEntries(catalogue.entries, args_.entries);
    if (selection.unmatched) failed_ = true;
    const auto plan = Plan(selection.indices);

    std::uint64_t total = 0;
    for (const auto& item : plan) total += static_cast<std::uint64_t>(item.entry.Len);
    ProgressBar bar(total, !args_.quiet && !args_.verbose);
    bar_ = &bar;
    std::uint64_t done = 0;
    for (const auto& item : plan) {
      Write(item, done);
      done += static_cast<std::uint64_t>(item.entry.Len);
    }
    bar.Finish();
    bar_ = nullptr;
    if (!args_.manifest.empty()) WriteTheManifest(selection.indices.size() == catalogue.entries.size());
    if (!out_.Flush()) failed_ = true;
    return failed_ ? kExitSomeFailed : kExitOk;
  }

 private:
  bool PrepareFolder() {
    std::error_code ec;
    if (!fs::exists(args_.dir, ec)) fs::create_directories(args_.dir, ec);
    if (!fs::is_directory(args_.dir, ec)) {
      ReportError("'" + PathText(args_.dir) + "' is not a folder" + (ec ? ": " + ec.message() : ""));
      return false;
    }
    root_ = ExtractionRoot(args_.dir);
    return true;
  }

  std::vector<PlannedEntry> Plan(const std::vector<std::size_t>& indices) {
    std::vector<PlannedEntry> plan;
    plan.reserve(indices.size());
    for (const auto k : indices) {
      auto entry = *archive_.catalogue.entries.Slot(static_cast<std::int64_t>(k));
      const auto name = DisplayNameUtf8(entry.Name);
      auto label = EntryLabel(k, name);
      if (auto inside = archive::CheckRange(entry, archive_.file.Size()); !inside) {
        Skip(label, inside.error().message);
        continue;
      }
      auto safe = SafeRelativePath(name);
      if (safe && kWindowsNames) {
        auto holdable = WindowsHoldablePath(*safe);
        if (holdable && *holdable != *safe) {
          Notice(label + ": written as '" + EscapeControls(*holdable) +
                 "', a name that Windows can hold");
        }
        safe = std::move(holdable);
      }
      if (!safe) {
        Skip(label, safe.error());
        continue;
      }
      bool renamed = false;
      auto path = names_.Claim(*safe, renamed);
      if (renamed) {
        Notice(label + ": written as '" + EscapeControls(path) +
               "' because an earlier entry has the same path");
      }
      plan.push_back({k, std::move(entry), std::move(label), std::move(path)});
    }
    return plan;
  }

  void Write(const PlannedEntry& item, std::uint64_t doneBefore) {
    const auto slash = item.relativePath.rfind('/');
    if (slash != std::string::npos) {
      if (auto made = MakeFoldersBelow(root_, std::string_view(item.relativePath).substr(0, slash));
          !made) {
        Skip(item.label, made.error());
        return;
      }
    }
    const auto target = Below(root_, item.relativePath);
    const auto shownPath = Below(args_.dir, item.relativePath);  // as the user named it
    const auto shown = PathText(shownPath);
    const auto kind = LookAt(target);
    if (!kind) {
      Skip(item.label, "can't look at '" + shown + "': " + kind.error());
      return;
    }
    if (*kind == NodeKind::Folder) {
      Skip(item.label, "'" + shown + "' is a folder");
      return;
    }
    if (*kind != NodeKind::Missing && !args_.overwrite) {
      Skip(item.label, "'" + shown + "' exists (--overwrite replaces it)");
      return;
    }
    archive::CopyOptions options;
    options.replaceExisting = args_.overwrite;
    if (args_.inflate) {
      const auto contentKind = archive::ReadKind(archive_.file, item.entry);
      if (!contentKind) {
        Skip(item.label, archive::Describe(contentKind.error()));
        return;
      }
      options.inflate = *contentKind == archive::Kind::Zlib;
    }
    options.progress = [&](std::uint64_t bytesDone) {
      bar_->Update(doneBefore + bytesDone);
      return true;
    };
    if (auto copied = archive::CopyResourceToFile(archive_.file, item.entry, target, options);
        !copied) {
      Skip(item.label, archive::Describe(copied.error()));
      return;
    }
    if (args_.verbose) out_ << shown << '\n';
    if (!args_.manifest.empty()) {
      manifest_.entries.push_back({item.entry.Name, fs::absolute(shownPath), item.entry.Field3,
                                   item.entry.Field4, item.entry.Field5});
    }
  }

  void WriteTheManifest(bool allSelected) {
    manifest_.id = archive_.catalogue.header.ID;
    while (!manifest_.id.empty() && manifest_.id.back() == '\0') manifest_.id.pop_back();
    auto why = WhyNotRebuildable(archive_);
    if (!why && !allSelected) why = "not every entry was chosen";
    if (!why && manifest_.entries.size() != archive_.catalogue.entries.size()) why = "some entries were not written";
    if (why) ReportError("warning: the manifest can't rebuild this archive byte for byte: " + *why);
    if (auto written = WriteManifest(args_.manifest, manifest_); !written) {
      failed_ = true;
      ReportError("manifest not written: " + written.error());
    }
  }

  void Skip(const std::string& label, const std::string& reason) {
    failed_ = true;
    if (bar_) bar_->Clear();
    ReportError(label + ": skipped: " + reason);
  }

  void Notice(const std::string& text) {
    if (args_.quiet) return;
    if (bar_) bar_->Clear();
    ReportError(text);
  }

  const ExtractArgs& args_;
  OpenedArchive& archive_;
  Output out_;
  OutputNames names_;
  Manifest manifest_;
  fs::path root_;
  ProgressBar* bar_ = nullptr;
  bool failed_ = false;
};

}  // namespace

int RunExtract(const ExtractArgs& args) {
  auto opened = OpenArchive(args.archive, true);
  if (!opened) return kExitFatal;
  return Extraction(args, *opened).Run();
}

}  // namespace zpk::cli
