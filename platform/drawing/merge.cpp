// Merging a read file into the drawing: the nesting run stacks many part drawings into one
// sheet, and the same part (with the same blocks) comes again and again.
#include "drawing/merge.h"

#include <map>
#include <set>
#include <string>

#include "drawing/dxf_writer.h"

namespace tv::drawing {
namespace {

void RemapEntity(Entity& e, const std::vector<int>& layerMap,
                 const std::map<std::string, std::string>& renamed) {
  e.layer = layerMap[static_cast<std::size_t>(e.layer)];
  if (auto* ins = std::get_if<InsertData>(&e.data)) {
    auto it = renamed.find(UpperAscii(ins->block));
    if (it != renamed.end()) ins->block = it->second;
    for (Entity& a : ins->attribs) RemapEntity(a, layerMap, renamed);
  }
}

void MergeTable(std::vector<TableEntry>& target, std::vector<TableEntry>& incoming) {
  std::set<std::string> have;
  for (const TableEntry& t : target) have.insert(UpperAscii(t.name));
  for (TableEntry& t : incoming)
    if (have.insert(UpperAscii(t.name)).second) target.push_back(std::move(t));
}

std::string FreeName(const std::string& name, const std::set<std::string>& taken, int& anonymousCounter) {
  if (!name.empty() && name[0] == '*') {
    // Anonymous blocks keep their kind letter: *U12, *D3...
    const std::string kind = name.size() > 1 ? name.substr(0, 2) : std::string("*U");
    std::string candidate;
    do candidate = kind + std::to_string(++anonymousCounter);
    while (taken.count(UpperAscii(candidate)));
    return candidate;
  }
  for (int k = 1;; ++k) {
    std::string candidate = name + "_" + std::to_string(k);
    if (!taken.count(UpperAscii(candidate))) return candidate;
  }
}

}  // namespace

void MergeInto(Document& target, Document&& incoming) {
  // Layers by exact name.
  std::vector<int> layerMap(incoming.layers.size());
  for (std::size_t i = 0; i < incoming.layers.size(); ++i) {
    const int found = target.FindLayer(incoming.layers[i]->Name());
    if (found >= 0) {
      layerMap[i] = found;
    } else {
      target.layers.push_back(std::move(incoming.layers[i]));
      layerMap[i] = target.LayerCount() - 1;
    }
  }
  MergeTable(target.lineTypes, incoming.lineTypes);
  MergeTable(target.styles, incoming.styles);
  MergeTable(target.appIds, incoming.appIds);

  // Blocks: same name and same content is the same block; same name and other content
  // gets a free name, and the incoming references follow it.
  std::set<std::string> taken;
  for (const Block& b : target.blocks) taken.insert(UpperAscii(b.name));
  for (const Block& b : incoming.blocks) taken.insert(UpperAscii(b.name));
  std::map<std::string, std::string> renamed;
  std::vector<bool> keep(incoming.blocks.size(), true);
  int anonymousCounter = 0;
  for (const Block& b : target.blocks) {
    if (b.name.size() > 2 && b.name[0] == '*') {
      try {
        anonymousCounter = std::max(anonymousCounter, std::stoi(b.name.substr(2)));
      } catch (const std::exception&) {
      }
    }
  }
  // Compare with the incoming layers mapped, so that names (not indexes) decide.
  for (Block& b : incoming.blocks)
    for (Entity& e : b.entities) RemapEntity(e, layerMap, {});
  for (Block& b : incoming.blocks) b.layer = layerMap[static_cast<std::size_t>(b.layer)];
  for (std::size_t i = 0; i < incoming.blocks.size(); ++i) {
    Block& b = incoming.blocks[i];
    const int existing = target.FindBlock(b.name);
    if (existing < 0) continue;
    const Block& other = target.blocks[static_cast<std::size_t>(existing)];
    if (BlockSignature(target, other) == BlockSignature(target, b)) {
      keep[i] = false;
      continue;
    }
    const std::string fresh = FreeName(b.name, taken, anonymousCounter);
    taken.insert(UpperAscii(fresh));
    renamed[UpperAscii(b.name)] = fresh;
    b.name = fresh;
  }
  const std::vector<int> identity = [&] {
    std::vector<int> v(static_cast<std::size_t>(target.LayerCount()));
    for (std::size_t k = 0; k < v.size(); ++k) v[k] = static_cast<int>(k);
    return v;
  }();
  for (std::size_t i = 0; i < incoming.blocks.size(); ++i) {
    if (!keep[i]) continue;
    for (Entity& e : incoming.blocks[i].entities) RemapEntity(e, identity, renamed);
    target.blocks.push_back(std::move(incoming.blocks[i]));
  }
  target.BlocksChanged();

  target.lastReadBegin = target.entities.size();
  for (Entity& e : incoming.entities) {
    RemapEntity(e, layerMap, renamed);
    target.entities.push_back(std::move(e));
  }
  target.lastReadEnd = target.entities.size();
  // The comment block described the file read first; a merged drawing is no longer it.
  target.comments.clear();
  ++target.revision;
}

}  // namespace tv::drawing
