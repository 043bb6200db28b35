// Merging a read file into the drawing: the nesting run stacks many part drawings into one
// sheet, and the same part (with the same blocks) comes again and again.
#include "drawing/merge.h"

#include <map>
#include <set>
#include <string>
#include <vector>

#include "drawing/dxf_writer.h"

namespace tv::drawing {
namespace {

// The entity (and the attributes it carries) on the target's layers.
void MapLayers(Entity& e, const std::vector<int>& layerMap) {
  e.layer = layerMap[static_cast<std::size_t>(e.layer)];
  if (auto* ins = std::get_if<InsertData>(&e.data)) {
    for (Entity& a : ins->attribs) MapLayers(a, layerMap);
  }
}

// A reference to a renamed block follows the new name.
void RenameReferences(Entity& e, const std::map<std::string, std::string>& renamed) {
  auto* ins = std::get_if<InsertData>(&e.data);
  if (ins == nullptr || renamed.empty()) return;
  auto it = renamed.find(UpperAscii(ins->block));
  if (it != renamed.end()) ins->block = it->second;
}

// The order to settle the blocks in: every block after the blocks it refers to (a reference
// cycle, which no sound file has, is cut where it closes). Blocks of one name after the first
// are settled as the first is.
std::vector<std::size_t> NestedFirst(const std::vector<Block>& blocks) {
  std::map<std::string, std::size_t> byName;
  for (std::size_t i = 0; i < blocks.size(); ++i) byName.emplace(UpperAscii(blocks[i].name), i);
  enum class Mark : unsigned char { New, Open, Done };
  std::vector<Mark> marks(blocks.size(), Mark::New);
  std::vector<std::size_t> order;
  order.reserve(blocks.size());
  // Depth first without recursion: a file may nest blocks very deep.
  struct Step {
    std::size_t block;
    std::size_t next;  // the next entity to look at
  };
  std::vector<Step> stack;
  for (std::size_t root = 0; root < blocks.size(); ++root) {
    if (marks[root] != Mark::New) continue;
    marks[root] = Mark::Open;
    stack.push_back({root, 0});
    while (!stack.empty()) {
      Step& step = stack.back();
      const std::vector<Entity>& entities = blocks[step.block].entities;
      if (step.next == entities.size()) {
        marks[step.block] = Mark::Done;
        order.push_back(step.block);
        stack.pop_back();
        continue;
      }
      const auto* ins = std::get_if<InsertData>(&entities[step.next++].data);
      if (ins == nullptr) continue;
      const auto it = byName.find(UpperAscii(ins->block));
      if (it == byName.end() || marks[it->second] != Mark::New) continue;
      marks[it->second] = Mark::Open;
      stack.push_back({it->second, 0});
    }
  }
  return order;
}

// Whether two blocks hold the same, whatever their names. The references are compared by name
// as well: the written form leaves out a reference to a block the drawing does not hold yet.
bool SameContent(const Document& doc, const Block& existing, const Block& incoming) {
  if (existing.entities.size() != incoming.entities.size()) return false;
  for (std::size_t k = 0; k < existing.entities.size(); ++k) {
    const auto* a = std::get_if<InsertData>(&existing.entities[k].data);
    const auto* b = std::get_if<InsertData>(&incoming.entities[k].data);
    if ((a == nullptr) != (b == nullptr)) return false;
    if (a != nullptr && UpperAscii(a->block) != UpperAscii(b->block)) return false;
  }
  Block probe = incoming;
  probe.name = existing.name;
  return BlockSignature(doc, existing) == BlockSignature(doc, probe);
}

// The name of a block of the drawing that holds the incoming block's content under one of the
// free names an earlier merge gives a block of its name (NAME_1, NAME_2...); "" when none.
std::string RenamedTwin(const Document& doc, const Block& incoming) {
  if (incoming.name.empty() || incoming.name[0] == '*') return {};
  for (int k = 1;; ++k) {
    const int found = doc.FindBlock(incoming.name + "_" + std::to_string(k));
    if (found < 0) return {};
    const Block& candidate = doc.blocks[static_cast<std::size_t>(found)];
    if (SameContent(doc, candidate, incoming)) return candidate.name;
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

  // Blocks: same name and same content is the same block; same name and other content gets
  // a free name, and the incoming references follow it. Content counts whole, nested blocks
  // included: a block is compared only after the blocks it refers to have their final names,
  // so two parts whose OUTER blocks refer to different INNER blocks keep both.
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
    for (Entity& e : b.entities) MapLayers(e, layerMap);
  for (Block& b : incoming.blocks) b.layer = layerMap[static_cast<std::size_t>(b.layer)];
  for (const std::size_t i : NestedFirst(incoming.blocks)) {
    Block& b = incoming.blocks[i];
    for (Entity& e : b.entities) RenameReferences(e, renamed);
    const int existing = target.FindBlock(b.name);
    if (existing < 0) continue;
    if (SameContent(target, target.blocks[static_cast<std::size_t>(existing)], b)) {
      keep[i] = false;
      continue;
    }
    // A part merged before may have left this content under a free name already.
    if (const std::string twin = RenamedTwin(target, b); !twin.empty()) {
      renamed[UpperAscii(b.name)] = twin;
      keep[i] = false;
      continue;
    }
    const std::string fresh = FreeName(b.name, taken, anonymousCounter);
    taken.insert(UpperAscii(fresh));
    renamed[UpperAscii(b.name)] = fresh;
    b.name = fresh;
  }
  for (std::size_t i = 0; i < incoming.blocks.size(); ++i) {
    if (keep[i]) target.blocks.push_back(std::move(incoming.blocks[i]));
  }
  target.BlocksChanged();

  target.lastReadBegin = target.entities.size();
  for (Entity& e : incoming.entities) {
    MapLayers(e, layerMap);
    RenameReferences(e, renamed);
    target.entities.push_back(std::move(e));
  }
  target.lastReadEnd = target.entities.size();
  // The comment block described the file read first; a merged drawing is no longer it.
  target.comments.clear();
  ++target.revision;
}

}  // namespace tv::drawing
