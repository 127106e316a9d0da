#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class GameObject;

// A uniform grid of cells holding object indices, so that the level's
// searches look only at objects near the place they ask about. The grid
// only narrows the search: callers still test each candidate themselves
// and, since list order decides every search, keep the smallest index.
//
// Each object is filed under the cells its footprint covers: its rectangle
// (sizes may be negative), its resize handle and a margin wide enough for
// everything drawn around it (select box, outlines). Objects too large for
// a few hundred cells, or with coordinates that are not finite, are kept on
// a list that every search walks. Objects moved or appended since the last
// build are kept on a second such list until there are enough of them to
// make a rebuild worth it. Objects taken out of the list or put into it at
// any place are followed by renumbering what the grid holds, without
// looking at the objects, so that a big edit does not cost a rebuild; any
// other change (reordering) calls invalidate(); the next search rebuilds.
class ObjectGrid {
public:
  // An axis-aligned box, bounds included.
  struct Box {
    double left, top, right, bottom;
  };

  // objects is the level's list, watched, not owned.
  explicit ObjectGrid(const std::vector<std::unique_ptr<GameObject>>* objects);

  void invalidate();
  // Object i changed its rectangle, or was appended as the last object.
  void touched(std::size_t i);
  // The objects at places (ascending) left the list; the rest closed up.
  void removed(const std::vector<std::size_t>& places);
  // Objects were put in at places (ascending, in the list as it is now);
  // the others moved up to make room.
  void inserted(const std::vector<std::size_t>& places);

  // The footprint of an object: everything a search or a drawing of it may
  // reach.
  static Box footprint(const GameObject& object);

  // The smallest index whose footprint may meet box and for which test(i)
  // holds; -1 when there is none. A box that is not finite is searched by
  // walking the whole list.
  template <class Test> int first(const Box& box, const Test& test) const {
    if (!isFinite(box)) {
      for (std::size_t i = 0; i < objects->size(); ++i) {
        if (test(i)) {
          return static_cast<int>(i);
        }
      }
      return -1;
    }
    ensureBuilt();
    std::uint32_t best = NONE;
    const auto consider = [&](std::uint32_t i) {
      if (i < best && test(i)) {
        best = i;
      }
    };
    for (const std::uint32_t i : wide) {
      consider(i);
    }
    for (const std::uint32_t i : loose) {
      consider(i);
    }
    // Cells list their objects in ascending order: the first match in a
    // cell, or the first index past the best so far, ends that cell.
    scanCells(box, [&](std::uint32_t i) {
      if (i >= best) {
        return true;
      }
      if (test(i)) {
        best = i;
        return true;
      }
      return false;
    });
    return best == NONE ? -1 : static_cast<int>(best);
  }

  // The indices of every object whose footprint meets box, ascending and
  // each once, into out (cleared first; its capacity is reused).
  void collect(const Box& box, std::vector<std::uint32_t>& out) const;

private:
  static constexpr std::uint32_t NONE = 0xFFFFFFFFu;

  struct CellRange {
    int left, top, right, bottom;
  };

  // Calls visit(i) for the objects filed in the cells box covers, cell by
  // cell in ascending order, leaving out those moved since the build; a
  // cell's scan stops when visit returns true.
  template <class Visit> void scanCells(const Box& box, const Visit& visit) const {
    CellRange range;
    if (!cellsOf(box, range)) {
      return;
    }
    for (int row = range.top; row <= range.bottom; ++row) {
      for (int column = range.left; column <= range.right; ++column) {
        const std::size_t cell = cellIndex(row, column);
        for (std::uint32_t k = cellStart[cell]; k < cellStart[cell + 1]; ++k) {
          const std::uint32_t i = cellItems[k];
          if (!isLoose[i] && visit(i)) {
            break;
          }
        }
      }
    }
  }
  static bool isFinite(const Box& box);
  std::size_t cellIndex(int row, int column) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
           static_cast<std::size_t>(column);
  }
  void ensureBuilt() const;
  void build() const;
  // The box of the objects the cells are laid over; area and counted add
  // up their footprints.
  Box ordinarySpan(double& area, std::size_t& counted) const;
  void layCells(const Box& span, double typical) const;
  // Files every object that fits in the cells it covers; the rest go on
  // the list every search walks.
  void fillCells() const;
  // The cells box covers, clamped to the grid; false when it misses the
  // grid altogether.
  bool cellsOf(const Box& box, CellRange& range) const;
  bool overlaps(std::uint32_t i, const Box& box) const;
  // Gives every index i held the number renumbered[i], leaving out those
  // that map to NONE; the order of each cell is kept, as the mapping keeps
  // order.
  void renumber(const std::vector<std::uint32_t>& renumbered);

  const std::vector<std::unique_ptr<GameObject>>* objects;

  // Built lazily by the first search after a change, hence mutable.
  mutable bool built = false;
  mutable double originX = 0;
  mutable double originY = 0;
  mutable double cellSize = 1;
  mutable int columns = 0;
  mutable int rows = 0;
  // Compressed rows: the objects of cell c are cellItems[cellStart[c] ..
  // cellStart[c + 1]).
  mutable std::vector<std::uint32_t> cellStart;
  mutable std::vector<std::uint32_t> cellItems;
  mutable std::vector<std::uint32_t> wide;
  mutable std::vector<std::uint32_t> loose;
  mutable std::vector<std::uint8_t> isLoose;
};
