#pragma once

#include <string>
#include <vector>

// The keys of the current mode, shown on F1 over whatever is on screen: a
// title, the mode's keys and the menus' keys in two columns, and how to
// close the overlay, in a bordered box centred in the 640 x 480 window.
class HelpOverlay {
public:
  // The edit mode's keys when editMode is true, else the play mode's. The
  // layout is measured here, once.
  explicit HelpOverlay(bool editMode);
  // Window coordinates. Sets the colour and the raster position; binds
  // nothing and leaves the matrices alone.
  void draw() const;

private:
  // All light, for the dark box: headings, keys and what the keys do.
  enum Colour : int { HEADING, KEY, ACTION };
  struct Text {
    int x, y;
    Colour colour;
    std::string text;
  };

  static void setColour(Colour colour);

  int left = 0, top = 0, right = 0, bottom = 0;
  std::vector<Text> texts;
};
