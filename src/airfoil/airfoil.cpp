#include "airfoil/airfoil.h"

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
