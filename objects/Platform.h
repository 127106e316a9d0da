#pragma once

#include "objects/GameObject.h"

// A solid rectangle. Its platform type decides only whether the character
// can climb it and wall-jump off it.
class Platform : public GameObject {
public:
  enum PlatformType : std::int32_t { CLIMBABLE = 0, JUMPABLE = 1, PLAIN = 2 };

  Platform();
  explicit Platform(const Platform* other);
  Platform(double x, double y, double w, double h, PlatformType p);

  // The kinds set the platform type; nudges move it as any object.
  void edit(EditAction action) override;
  void appendSaveString(std::string& out) const override;
  std::unique_ptr<GameObject> clone() const override;
  bool sameAs(const GameObject& other) const override;

  PlatformType getPlatformType() const { return platformType; }

protected:
  void drawShape(bool editView) const override;

private:
  // Level files may hold values outside the enumeration; they draw red and
  // are neither climbable nor jumpable.
  PlatformType platformType;
};
