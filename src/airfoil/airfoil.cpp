#include "airfoil/airfoil.h"

#include <stdexcept>

#include "airfoil/airfoil_geometry.h"

namespace velarix {

using airfoil_detail::interpolateY;

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

int TAirfoil::noseIndex() const {
  const int n = Count();
  int i = 1;
  while (i < n && points_[i].X <= points_[i - 1].X) ++i;
  return n == 0 ? 0 : i - 1;
}

// The nose sits where the chain turns: the first i with X[i-1] <= X[i+1].
// Without a nose point that is the gap between the last upper and the first
// lower point; with a nose point whose two neighbours have equal x it is
// directly before the nose point. The search stops at the end of the chain.
void TAirfoil::EnsureLeadingEdgePoint() {
  for (const TCoord& p : points_) {
    if (p.X == 0 && p.Y == 0) return;
  }
  const int n = Count();
  int i = 1;
  while (i + 1 < n && points_[i - 1].X > points_[i + 1].X) ++i;
  InsertPoint(i < n ? i : n, TCoord{0, 0});
}

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
    return interpolateY(points_[i], points_[i + 1], x);
  }
  int k = n - 1;
  while (k >= 1 && !(points_[k - 1].X <= x) && !(points_[k].X < points_[k - 1].X)) --k;
  if (k < 1) k = 1;
  return interpolateY(points_[k], points_[k - 1], x);
}

}  // namespace velarix
