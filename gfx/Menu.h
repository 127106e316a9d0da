#pragma once

#include <SDL.h>

#include <string>
#include <vector>

// A modal list: a title and items, one highlighted, steered with the arrow
// keys and chosen with Return. The menu only records the choice; its owner
// acts on it. A list longer than the window holds shows VISIBLE_ROWS rows at
// a time, scrolled so that the highlighted row is always among them.
class Menu {
public:
  enum MenuType : int { LEVEL_LIST = 0, TOOL_LIST = 1, RECOVERY = 2 };
  // The rows that fit below the title in the 480-pixel window.
  static constexpr int VISIBLE_ROWS = 10;

  Menu(std::vector<std::string> items, std::string title, MenuType type);

  // True once Return has been pressed. The time is not used.
  bool update(int ms);
  // Return chooses; Up/Down move with wrap-around; Left/Right jump to the
  // first/last item. Other keys (Escape included) change nothing. The
  // shown rows then move the least that brings the selection into view.
  void keyDown(const SDL_Event& event);
  int getSelected() const { return selected; }
  // Highlights the item offset rows after item (wrapping round), as the
  // arrow keys would; nothing changes when no item is item.
  void selectAfter(const std::string& item, int offset);
  // False while the selection names no item, which is always the case for
  // a menu without items: its choice must not be acted on.
  bool hasSelection() const;
  MenuType getType() const { return type; }
  // The item chosen; only while hasSelection().
  const std::string& getSelectedItem() const { return items[static_cast<std::size_t>(selected)]; }
  // Window coordinates; always at the same place, centred on x = 300. A
  // menu without items shows its title over an empty list box. When rows
  // are hidden, a small white triangle above or below the list box points
  // to them. Sets the colour and the raster position; binds nothing and
  // leaves the matrices alone.
  void draw() const;
  // The title in its box, centred on centre, above a list or field whose
  // first baseline is firstBaseline.
  static void drawTitle(const std::string& title, int centre, int firstBaseline);

private:
  // Moves the shown rows the least that brings the selection into view.
  void keepInView();

  std::string title;
  MenuType type;
  bool done = false;
  int selected = 0;
  // The index of the item in the top row shown.
  int firstShown = 0;
  std::vector<std::string> items;
};
