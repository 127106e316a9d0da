#pragma once

// A 2D vector of doubles: a position in pixels or a velocity in pixels per
// second. x grows to the right, y downwards.
class Point2D {
public:
  Point2D();
  Point2D(double x, double y);

  double getX() const { return x; }
  double getY() const { return y; }
  void setX(double value) { x = value; }
  void setY(double value) { y = value; }
  void set(double newX, double newY);
  void incX(double d) { x += d; }
  void incY(double d) { y += d; }

  Point2D operator+(const Point2D& p) const;
  void operator+=(const Point2D& p);
  Point2D operator-() const;
  Point2D operator-(const Point2D& p) const;
  Point2D operator*(double s) const;
  Point2D operator/(double s) const;
  bool operator==(const Point2D&) const = default;

  double magnitudeSquared() const;
  double magnitude() const;
  // Not defined for the zero vector (the components become NaN); callers
  // that can meet it test magnitudeSquared() first.
  Point2D unitVector() const;
  // The displacement over ms milliseconds of a velocity in pixels per
  // second: each component times ms / 1000, multiplication first.
  Point2D convertPixelPerSecond(int ms) const;

  double x;
  double y;
};
