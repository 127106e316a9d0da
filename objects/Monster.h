#pragma once

#include "objects/GameObject.h"

// An enemy with hit points: touching it costs the character hit points,
// shots take its own. It drops out of play once its hit points fall below 0.
class Monster : public GameObject {
public:
  Monster();
  Monster(double x, double y, double w, double h);

  // Deactivates the monster when its hit points are below 0 (0 survives).
  bool update(int elapsedMs) override;
  // A clone has full default hit points, whatever this one has.
  std::unique_ptr<GameObject> clone() const override;
  void refresh() override;

  int getCurrentHp() const { return currentHp; }
  void setCurrentHp(int hp) { currentHp = hp; }
  void incCurrentHp(int n) { currentHp += n; }
  int getMaxHp() const { return maxHp; }
  void fullHp() { currentHp = maxHp; }

protected:
  void drawShape(bool editView) const override;

private:
  int currentHp;
  int maxHp;
};
