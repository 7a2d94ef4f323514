#include "registry_hive_view.h"

#include <algorithm>

#include "hive_text.h"

namespace winapi {
namespace {

std::string LowerCase(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) c = hive_text::ToLowerAscii(c);
  return lower;
}

bool SameData(const HiveValue& a, const HiveValue& b) { return a.type == b.type && a.data == b.data; }

}  // namespace

std::shared_ptr<HiveView> HiveView::Of(const std::string& path) {
  // Used under the registry's lock, like everything else of the view.
  static std::map<std::string, std::weak_ptr<HiveView>> views;
  std::erase_if(views, [](const auto& entry) { return entry.second.expired(); });
  std::weak_ptr<HiveView>& slot = views[path];
  std::shared_ptr<HiveView> view = slot.lock();
  if (!view) {
    view = std::make_shared<HiveView>(path);
    slot = view;
  }
  return view;
}

LONG HiveView::Refresh() {
  if (hive_ && version_.Unchanged()) return ERROR_SUCCESS;
  return Reload();
}

LONG HiveView::Reload() {
  hive_.reset();
  DropIndexes();
  changed_ = false;
  std::string text;
  HiveFileVersion version;
  if (const LONG result = ReadHiveFile(path_, text, version); result != ERROR_SUCCESS) return result;
  HiveError error;
  std::optional<Hive> hive = ParseHive(text, &error);
  if (!hive) {
    ReportBadHive(path_, error);
    return ERROR_BADDB;
  }
  for (const StagedWrite& write : staged_) changed_ = Lay(*hive, write) || changed_;
  hive_ = std::move(hive);
  version_ = std::move(version);
  return ERROR_SUCCESS;
}

bool HiveView::Lay(Hive& hive, const StagedWrite& write) {
  const HiveValue* current = FindHiveValue(hive, write.keyPath, write.value.name);
  if (current && SameData(*current, write.value)) return false;
  // False when the key is gone from the file: the store reports that.
  return SetHiveValue(hive, write.keyPath, write.value);
}

void HiveView::DropIndexes() {
  indexes_.clear();
  lastIndex_ = nullptr;
}

HiveView::ValueIndex* HiveView::IndexOf(std::string_view keyPath) {
  // A key's calls come one after another: the path as last asked for.
  if (lastIndex_ && keyPath == lastKeyPath_) return *lastIndex_ ? &**lastIndex_ : nullptr;
  auto [entry, added] = indexes_.try_emplace(LowerCase(keyPath));
  if (added && HiveHasKey(*hive_, keyPath)) {
    ValueIndex& index = entry->second.emplace();
    for (std::size_t key = 0; key < hive_->keys.size(); ++key) {
      if (!SameRegistryName(hive_->keys[key].path, keyPath)) continue;
      const std::vector<HiveLine>& lines = hive_->keys[key].lines;
      for (std::size_t line = 0; line < lines.size(); ++line) {
        if (lines[line].value) index[LowerCase(lines[line].value->name)] = {key, line};
      }
    }
  }
  lastKeyPath_.assign(keyPath);
  lastIndex_ = &entry->second;
  return entry->second ? &*entry->second : nullptr;
}

HiveLine* HiveView::FindLine(std::string_view keyPath, std::string_view name) {
  const ValueIndex* index = IndexOf(keyPath);
  if (!index) return nullptr;
  const auto found = index->find(LowerCase(name));
  return found == index->end() ? nullptr : &hive_->keys[found->second.key].lines[found->second.line];
}

bool HiveView::HasKey(std::string_view keyPath) { return IndexOf(keyPath) != nullptr; }

const HiveValue* HiveView::Find(std::string_view keyPath, std::string_view name) {
  const HiveLine* line = FindLine(keyPath, name);
  return line ? &*line->value : nullptr;
}

LONG HiveView::Stage(std::string_view keyPath, const HiveValue& value, const void* writer) {
  if (!CanFormatHiveValue(value, hive_->encoding)) return ERROR_INVALID_PARAMETER;
  staged_.push_back({std::string(keyPath), value, writer});
  if (HiveLine* line = FindLine(keyPath, value.name)) {
    if (SameData(*line->value, value)) return ERROR_SUCCESS;
    ReplaceHiveValue(*hive_, *line, value);
  } else if (const std::optional<HiveLinePosition> added = AddHiveValue(*hive_, keyPath, value)) {
    (*IndexOf(keyPath))[LowerCase(value.name)] = *added;
  }
  changed_ = true;
  return ERROR_SUCCESS;
}

LONG HiveView::StoreWritesOf(const void* writer, HiveLock& lock) {
  LONG lost = ERROR_SUCCESS;
  if (const auto found = lost_.find(writer); found != lost_.end()) {
    lost = found->second;
    lost_.erase(found);
  }
  const bool wrote =
      std::any_of(staged_.begin(), staged_.end(), [writer](const StagedWrite& write) { return write.writer == writer; });
  if (!wrote) return lost;

  LONG result = ERROR_ACCESS_DENIED;
  {
    HiveLockGuard guard(lock);
    if (guard.Held()) result = StoreUnderLock();
  }
  if (result != ERROR_SUCCESS) {
    for (const StagedWrite& write : staged_) {
      if (write.writer != writer) lost_.emplace(write.writer, result);
    }
    // Read the file again: it holds none of the writes.
    hive_.reset();
    DropIndexes();
  }
  staged_.clear();
  changed_ = false;
  return lost != ERROR_SUCCESS ? lost : result;
}

LONG HiveView::StoreUnderLock() {
  // The file as it is now that no other writer can change it.
  if (const LONG result = Refresh(); result != ERROR_SUCCESS) {
    return result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND ? ERROR_BADKEY : result;
  }
  for (const StagedWrite& write : staged_) {
    if (!HasKey(write.keyPath)) return ERROR_BADKEY;  // removed since the write; it is not brought back
  }
  if (!changed_) {
    RemoveStaleTemporary(path_);  // what a rewrite would have removed
    return ERROR_SUCCESS;
  }
  HiveFileVersion replaced;
  const LONG result = ReplaceHiveFile(path_, SerializeHive(*hive_), version_.stamp, replaced);
  if (replaced.fd.Valid()) version_ = std::move(replaced);  // renamed into place, even if not flushed
  return result;
}

}  // namespace winapi
