// Cost of recomputing a bounding box's world box: every visible render object and GUI window
// does this once a frame.

#include <benchmark/benchmark.h>

#include "source/math/cBoundingBox.h"

namespace {

void BM_BoundingBoxUpdateTransformed(benchmark::State& state) {
  cBoundingBox box(Vector3(-1, -2, -3), Vector3(4, 5, 6));
  Matrix4 matrix = Matrix4::MakeScale(2, 2, 2);
  matrix.RotateAxis(Vector3(1, 1, 0), 0.6f);
  matrix.Translate(Vector3(10, 20, 30));
  box.m_matrix = matrix;
  for (auto _ : state) {
    box.Update(true);
    benchmark::DoNotOptimize(box);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BoundingBoxUpdateTransformed);

void BM_BoundingBoxUpdateLocal(benchmark::State& state) {
  cBoundingBox box(Vector3(-1, -2, -3), Vector3(4, 5, 6));
  for (auto _ : state) {
    box.Update(false);
    benchmark::DoNotOptimize(box);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BoundingBoxUpdateLocal);

}  // namespace
