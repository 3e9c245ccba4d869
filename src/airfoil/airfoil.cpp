#include "airfoil/airfoil.h"

#include <stdexcept>
#include <string>

namespace velarix {

std::optional<TCoord> TAirfoil::GetPoint(std::uint16_t index) const {
  if (index >= points_.size()) return std::nullopt;
  return points_[index];
}

void TAirfoil::InsertPoint(int index, TCoord p) {
  if (index < 0 || index > Count()) throw std::out_of_range("InsertPoint outside the chain");
  points_.insert(points_.begin() + index, p);
}

Real TAirfoil::GetCharacteristic(int slot) const {
  if (slot < 0 || slot >= kCharacteristicCount) return 0;
  return characteristics_[static_cast<std::size_t>(slot)];
}

void TAirfoil::SetCharacteristic(int slot, Real value) {
  if (slot < 0 || slot >= kCharacteristicCount) return;
  characteristics_[static_cast<std::size_t>(slot)] = value;
}

}  // namespace velarix

namespace velarix {

namespace {
[[noreturn]] void notYetImplemented(const char* what) {
  throw std::logic_error(std::string(what) + " is not implemented yet");
}

Real interpolate(const TCoord& a, const TCoord& b, Real x) {
  if (b.X == a.X) return a.Y;  // vertical segment: no slope to follow
  return a.Y + (b.Y - a.Y) * (x - a.X) / (b.X - a.X);
}
}  // namespace

// Upper: walk from the trailing edge forward until the next point lies at or
// before x, or the nose has been passed. Lower: the same from the other end.
Real TAirfoil::OrdinateAt(bool upper, Real x) const {
  const int n = Count();
  if (n == 0) return 0;
  if (n == 1) return points_[0].Y;
  if (upper) {
    int i = 0;
    while (i < n - 1 && !(points_[i + 1].X <= x) && !(points_[i + 1].X > points_[i].X)) ++i;
    if (i >= n - 1) i = n - 2;
    return interpolate(points_[i], points_[i + 1], x);
  }
  int k = n - 1;
  while (k >= 1 && !(points_[k - 1].X <= x) && !(points_[k].X < points_[k - 1].X)) --k;
  if (k < 1) k = 1;
  return interpolate(points_[k], points_[k - 1], x);
}

void TAirfoil::LoadFromFile(const std::filesystem::path&) { notYetImplemented("LoadFromFile"); }
void TAirfoil::EnsureLeadingEdgePoint() { notYetImplemented("EnsureLeadingEdgePoint"); }
TAirfoil TAirfoil::Subdivide(int) const { notYetImplemented("Subdivide"); }
TAirfoil TAirfoil::SmoothBSpline(int) const { notYetImplemented("SmoothBSpline"); }
TAirfoil TAirfoil::ResampleCosine(int) const { notYetImplemented("ResampleCosine"); }
TAirfoil TAirfoil::SmoothForWing(int) const { notYetImplemented("SmoothForWing"); }
void TAirfoil::ComputeCharacteristics() { notYetImplemented("ComputeCharacteristics"); }
std::vector<std::string> TAirfoil::CharacteristicsListing() const {
  notYetImplemented("CharacteristicsListing");
}

}  // namespace velarix
