#include "winapi/registry_hive_view.h"

#include <algorithm>

#include "base/ascii.h"

namespace winapi {
namespace {

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
  if (m_hive && m_version.Unchanged()) return ERROR_SUCCESS;
  return Reload();
}

LONG HiveView::Reload() {
  m_hive.reset();
  DropIndexes();
  m_changed = false;
  std::string text;
  HiveFileVersion version;
  if (const LONG result = ReadHiveFile(m_path, text, version); result != ERROR_SUCCESS) return result;
  HiveError error;
  std::optional<Hive> hive = ParseHive(text, &error);
  if (!hive) {
    ReportBadHive(m_path, error);
    return ERROR_BADDB;
  }
  for (const StagedWrite& write : m_staged) m_changed = Lay(*hive, write) || m_changed;
  m_hive = std::move(hive);
  m_version = std::move(version);
  return ERROR_SUCCESS;
}

bool HiveView::Lay(Hive& hive, const StagedWrite& write) {
  const HiveValue* current = FindHiveValue(hive, write.keyPath, write.value.name);
  if (current && SameData(*current, write.value)) return false;
  // False when the key is gone from the file: the store reports that.
  return SetHiveValue(hive, write.keyPath, write.value);
}

void HiveView::DropIndexes() {
  m_indexes.clear();
  m_lastIndex = nullptr;
}

HiveView::ValueIndex* HiveView::IndexOf(std::string_view keyPath) {
  // A key's calls come one after another: the path as last asked for.
  if (m_lastIndex && keyPath == m_lastKeyPath) return *m_lastIndex ? &**m_lastIndex : nullptr;
  auto [entry, added] = m_indexes.try_emplace(base::LowerAscii(keyPath));
  if (added && HiveHasKey(*m_hive, keyPath)) {
    ValueIndex& index = entry->second.emplace();
    for (std::size_t key = 0; key < m_hive->keys.size(); ++key) {
      if (!SameRegistryName(m_hive->keys[key].path, keyPath)) continue;
      const std::vector<HiveLine>& lines = m_hive->keys[key].lines;
      index.reserve(index.size() + lines.size());
      for (std::size_t line = 0; line < lines.size(); ++line) {
        if (lines[line].value) index[base::LowerAscii(lines[line].value->name)] = {key, line};
      }
    }
  }
  m_lastKeyPath.assign(keyPath);
  m_lastIndex = &entry->second;
  return entry->second ? &*entry->second : nullptr;
}

HiveLine* HiveView::FindLine(std::string_view keyPath, std::string_view name) {
  const ValueIndex* index = IndexOf(keyPath);
  if (!index) return nullptr;
  const auto found = index->find(base::LowerAscii(name));
  return found == index->end() ? nullptr : &m_hive->keys[found->second.key].lines[found->second.line];
}

bool HiveView::HasKey(std::string_view keyPath) { return IndexOf(keyPath) != nullptr; }

const HiveValue* HiveView::Find(std::string_view keyPath, std::string_view name) {
  const HiveLine* line = FindLine(keyPath, name);
  return line ? &*line->value : nullptr;
}

LONG HiveView::Stage(std::string_view keyPath, const HiveValue& value, const void* writer) {
  if (!CanFormatHiveValue(value, m_hive->encoding)) return ERROR_INVALID_PARAMETER;
  m_staged.push_back({std::string(keyPath), value, writer});
  if (HiveLine* line = FindLine(keyPath, value.name)) {
    if (SameData(*line->value, value)) return ERROR_SUCCESS;
    ReplaceHiveValue(*m_hive, *line, value);
  } else if (const std::optional<HiveLinePosition> added = AddHiveValue(*m_hive, keyPath, value)) {
    (*IndexOf(keyPath))[base::LowerAscii(value.name)] = *added;
  }
  m_changed = true;
  return ERROR_SUCCESS;
}

LONG HiveView::StoreWritesOf(const void* writer, HiveLock& lock) {
  LONG lost = ERROR_SUCCESS;
  if (const auto found = m_lost.find(writer); found != m_lost.end()) {
    lost = found->second;
    m_lost.erase(found);
  }
  const bool wrote = std::any_of(m_staged.begin(), m_staged.end(),
                                 [writer](const StagedWrite& write) { return write.writer == writer; });
  if (!wrote) return lost;

  LONG result = ERROR_ACCESS_DENIED;
  {
    HiveLockGuard guard(lock);
    if (guard.Held()) result = StoreUnderLock();
  }
  if (result != ERROR_SUCCESS) {
    for (const StagedWrite& write : m_staged) {
      if (write.writer != writer) m_lost.emplace(write.writer, result);
    }
    // Read the file again: it holds none of the writes.
    m_hive.reset();
    DropIndexes();
  }
  m_staged.clear();
  m_changed = false;
  return lost != ERROR_SUCCESS ? lost : result;
}

LONG HiveView::StoreUnderLock() {
  // The file as it is now that no other writer can change it.
  if (const LONG result = Refresh(); result != ERROR_SUCCESS) {
    return result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND ? ERROR_BADKEY : result;
  }
  for (const StagedWrite& write : m_staged) {
    if (!HasKey(write.keyPath)) return ERROR_BADKEY;  // removed since the write; it is not brought back
  }
  if (!m_changed) {
    RemoveStaleTemporary(m_path);  // what a rewrite would have removed
    return ERROR_SUCCESS;
  }
  HiveFileVersion replaced;
  const LONG result = ReplaceHiveFile(m_path, SerializeHive(*m_hive), m_version.stamp, replaced);
  if (replaced.fd.Valid()) m_version = std::move(replaced);  // renamed into place, even if not flushed
  return result;
}

}  // namespace winapi
