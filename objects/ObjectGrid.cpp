#include "objects/ObjectGrid.h"

#include "common/Units.h"
#include "objects/GameObject.h"

#include <algorithm>
#include <cmath>

namespace {

// Room around an object for what is drawn outside its rectangle: the
// select box reaches 6 pixels out, outlines half a pixel more.
constexpr double DRAW_MARGIN = 8;
// The resize handle hangs this far off the bottom-right corner.
// Objects covering more cells than this go on the list every search walks.
constexpr double MAX_CELLS_PER_OBJECT = 256;
// Objects larger than this on either axis do not size the grid: one huge
// wall must not make every cell hold the whole level.
constexpr double MAX_ORDINARY_EXTENT = 16384;
constexpr double MIN_CELL_SIZE = 32;
// Moved or appended objects allowed before a rebuild, on top of an eighth
// of the level.
constexpr std::size_t LOOSE_ALLOWANCE = 64;

} // namespace

ObjectGrid::ObjectGrid(const std::vector<std::unique_ptr<GameObject>>* objects)
    : objects(objects) {}

void ObjectGrid::invalidate() {
  built = false;
}

void ObjectGrid::touched(std::size_t i) {
  if (!built) {
    return;
  }
  if (i >= isLoose.size()) {
    isLoose.resize(i + 1, 0);
  }
  if (isLoose[i] == 0) {
    isLoose[i] = 1;
    loose.push_back(static_cast<std::uint32_t>(i));
  }
  if (loose.size() > LOOSE_ALLOWANCE + objects->size() / 8) {
    built = false;
  }
}

void ObjectGrid::removed(const std::vector<std::size_t>& places) {
  if (!built || places.empty()) {
    return;
  }
  const std::size_t before = objects->size() + places.size();
  std::vector<std::uint32_t> renumbered(before);
  std::size_t next = 0;
  std::uint32_t kept = 0;
  for (std::size_t i = 0; i < before; ++i) {
    if (next < places.size() && places[next] == i) {
      renumbered[i] = NONE;
      ++next;
    } else {
      renumbered[i] = kept++;
    }
  }
  renumber(renumbered);
}

void ObjectGrid::inserted(const std::vector<std::size_t>& places) {
  if (!built || places.empty()) {
    return;
  }
  const std::size_t after = objects->size();
  std::vector<std::uint32_t> renumbered(after - places.size());
  std::size_t next = 0;
  std::size_t old = 0;
  for (std::size_t i = 0; i < after; ++i) {
    if (next < places.size() && places[next] == i) {
      ++next;
    } else {
      renumbered[old++] = static_cast<std::uint32_t>(i);
    }
  }
  renumber(renumbered);
  for (const std::size_t i : places) {
    touched(i);
  }
}

void ObjectGrid::renumber(const std::vector<std::uint32_t>& renumbered) {
  // Cells close up in place: each cell's items move down to where the
  // previous cell's kept items end.
  const std::size_t cells = cellStart.size() - 1;
  std::uint32_t write = 0;
  for (std::size_t c = 0; c < cells; ++c) {
    const std::uint32_t end = cellStart[c + 1];
    const std::uint32_t begin = cellStart[c];
    cellStart[c] = write;
    for (std::uint32_t k = begin; k < end; ++k) {
      const std::uint32_t i = renumbered[cellItems[k]];
      if (i != NONE) {
        cellItems[write++] = i;
      }
    }
  }
  cellStart[cells] = write;
  cellItems.resize(write);
  const auto renumberList = [&](std::vector<std::uint32_t>& list) {
    std::size_t kept = 0;
    for (const std::uint32_t i : list) {
      if (renumbered[i] != NONE) {
        list[kept++] = renumbered[i];
      }
    }
    list.resize(kept);
  };
  renumberList(wide);
  renumberList(loose);
  isLoose.assign(objects->size(), 0);
  for (const std::uint32_t i : loose) {
    isLoose[i] = 1;
  }
}

ObjectGrid::Box ObjectGrid::footprint(const GameObject& object) {
  const double x1 = object.getLeft();
  const double x2 = object.getRight();
  const double y1 = object.getTop();
  const double y2 = object.getBottom();
  return Box{std::min(x1, x2) - DRAW_MARGIN, std::min(y1, y2) - DRAW_MARGIN,
             std::max(x1, x2 + HANDLE_SIZE) + DRAW_MARGIN,
             std::max(y1, y2 + HANDLE_SIZE) + DRAW_MARGIN};
}

bool ObjectGrid::isFinite(const Box& box) {
  return std::isfinite(box.left) && std::isfinite(box.top) && std::isfinite(box.right) &&
         std::isfinite(box.bottom);
}

void ObjectGrid::ensureBuilt() const {
  if (!built) {
    build();
  }
}

void ObjectGrid::build() const {
  const std::size_t n = objects->size();
  built = true;
  loose.clear();
  wide.clear();
  isLoose.assign(n, 0);
  double area = 0;
  std::size_t counted = 0;
  const Box span = ordinarySpan(area, counted);
  if (counted == 0) {
    // Nothing ordinary: every object is searched by walking.
    columns = rows = 0;
    cellStart.assign(1, 0);
    cellItems.clear();
    for (std::size_t i = 0; i < n; ++i) {
      wide.push_back(static_cast<std::uint32_t>(i));
    }
    return;
  }
  layCells(span, std::sqrt(area / static_cast<double>(counted)));
  fillCells();
}

// The grid spans the ordinary objects: those of a size that suits a grid at
// all.
ObjectGrid::Box ObjectGrid::ordinarySpan(double& area, std::size_t& counted) const {
  Box span{INFINITY, INFINITY, -INFINITY, -INFINITY};
  for (const auto& object : *objects) {
    const Box box = footprint(*object);
    if (!isFinite(box) || box.right - box.left > MAX_ORDINARY_EXTENT ||
        box.bottom - box.top > MAX_ORDINARY_EXTENT) {
      continue;
    }
    span.left = std::min(span.left, box.left);
    span.top = std::min(span.top, box.top);
    span.right = std::max(span.right, box.right);
    span.bottom = std::max(span.bottom, box.bottom);
    area += (box.right - box.left) * (box.bottom - box.top);
    ++counted;
  }
  return span;
}

// Cells about the size of a typical object, but about one cell per object
// at most, whatever the spread of the level: a sparse level gets larger
// cells rather than a grid too big to fill quickly.
void ObjectGrid::layCells(const Box& span, double typical) const {
  cellSize = MIN_CELL_SIZE;
  while (cellSize < typical) {
    cellSize *= 2;
  }
  const double maxCells = static_cast<double>(objects->size()) + 1024;
  const auto extent = [&](double from, double to) {
    return std::floor((to - from) / cellSize) + 1;
  };
  while (extent(span.left, span.right) * extent(span.top, span.bottom) > maxCells) {
    cellSize *= 2;
  }
  originX = span.left;
  originY = span.top;
  columns = static_cast<int>(extent(span.left, span.right));
  rows = static_cast<int>(extent(span.top, span.bottom));
}

// Counting sort in index order, so that every cell lists its objects
// ascending.
void ObjectGrid::fillCells() const {
  const std::size_t n = objects->size();
  const std::size_t cells = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
  const double gridRight = originX + columns * cellSize;
  const double gridBottom = originY + rows * cellSize;
  cellStart.assign(cells + 1, 0);
  std::vector<CellRange> ranges(n);
  for (std::size_t i = 0; i < n; ++i) {
    const Box box = footprint(*(*objects)[i]);
    CellRange& range = ranges[i];
    // Only objects wholly inside the grid go into cells: a search that
    // misses the grid looks at no cell.
    const bool fits =
        isFinite(box) && box.left >= originX && box.right <= gridRight && box.top >= originY &&
        box.bottom <= gridBottom && cellsOf(box, range) &&
        static_cast<double>(range.right - range.left + 1) * (range.bottom - range.top + 1) <=
            MAX_CELLS_PER_OBJECT;
    if (!fits) {
      range.left = 1;
      range.right = 0;
      wide.push_back(static_cast<std::uint32_t>(i));
      continue;
    }
    for (int row = range.top; row <= range.bottom; ++row) {
      for (int column = range.left; column <= range.right; ++column) {
        ++cellStart[cellIndex(row, column) + 1];
      }
    }
  }
  for (std::size_t c = 0; c < cells; ++c) {
    cellStart[c + 1] += cellStart[c];
  }
  cellItems.resize(cellStart[cells]);
  std::vector<std::uint32_t> fill(cellStart.begin(), cellStart.end() - 1);
  for (std::size_t i = 0; i < n; ++i) {
    const CellRange& range = ranges[i];
    for (int row = range.top; row <= range.bottom; ++row) {
      for (int column = range.left; column <= range.right; ++column) {
        cellItems[fill[cellIndex(row, column)]++] = static_cast<std::uint32_t>(i);
      }
    }
  }
}

bool ObjectGrid::cellsOf(const Box& box, CellRange& range) const {
  if (columns == 0 || rows == 0) {
    return false;
  }
  const double gridRight = originX + columns * cellSize;
  const double gridBottom = originY + rows * cellSize;
  if (box.right < originX || box.left > gridRight || box.bottom < originY || box.top > gridBottom) {
    return false;
  }
  const auto cell = [&](double v, double origin, int count) {
    const double c = std::floor((v - origin) / cellSize);
    return static_cast<int>(std::clamp(c, 0.0, static_cast<double>(count - 1)));
  };
  range.left = cell(box.left, originX, columns);
  range.right = cell(box.right, originX, columns);
  range.top = cell(box.top, originY, rows);
  range.bottom = cell(box.bottom, originY, rows);
  return true;
}

bool ObjectGrid::overlaps(std::uint32_t i, const Box& box) const {
  const Box f = footprint(*(*objects)[i]);
  // Not finite: such objects are always candidates.
  if (!isFinite(f)) {
    return true;
  }
  return f.left <= box.right && box.left <= f.right && f.top <= box.bottom && box.top <= f.bottom;
}

void ObjectGrid::collect(const Box& box, std::vector<std::uint32_t>& out) const {
  out.clear();
  ensureBuilt();
  for (const std::uint32_t i : wide) {
    if (overlaps(i, box)) {
      out.push_back(i);
    }
  }
  for (const std::uint32_t i : loose) {
    if (overlaps(i, box)) {
      out.push_back(i);
    }
  }
  scanCells(box, [&](std::uint32_t i) {
    if (overlaps(i, box)) {
      out.push_back(i);
    }
    return false;
  });
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
}
