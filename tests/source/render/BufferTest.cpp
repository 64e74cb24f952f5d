#include <gtest/gtest.h>

#include "source/render/IndexBuffer_D3D7.h"
#include "source/render/VertexBuffer_D3D7.h"
#include "tests/support/Found.h"

namespace {

TEST(VertexBuffer, ResizingGivesEveryVertexTheUnfilledColour) {
  VertexBufferHolder holder(4, 7);
  VertexBuffer_D3D7* buffer = holder.Get();
  EXPECT_EQ(buffer->GetCount(), 4u);
  EXPECT_EQ(buffer->GetStride(), 36u);
  EXPECT_EQ(buffer->GetFormat(), 0x152u);
  EXPECT_EQ(buffer->GetOwner(), 7u);
  for (uint32_t i = 0; i < 4; ++i) EXPECT_EQ(Found(buffer->GetVertex(i)).diffuse, 0xFFFF00FFu);
  EXPECT_EQ(buffer->GetVertex(4), nullptr);
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(buffer->GetVertex(2)) - buffer->Data(), 72);
}

TEST(VertexBuffer, ReserveCutsTheCountAndResizeGrowsTheCapacity) {
  VertexBuffer_D3D7 buffer(0, 10);
  buffer.Reserve(3);
  EXPECT_EQ(buffer.GetCount(), 3u);
  EXPECT_EQ(buffer.GetCapacity(), 3u);
  buffer.Resize(20);
  EXPECT_EQ(buffer.GetCapacity(), 20u);
  EXPECT_EQ(buffer.GetCount(), 20u);
  EXPECT_EQ(Found(buffer.GetVertex(19)).diffuse, kUnfilledVertexColor);
}

TEST(VertexBuffer, CopiedHoldersShareOneBufferAndTheBindingEndsWithIt) {
  VertexBufferHolder copy;
  {
    VertexBufferHolder holder(2, 0);
    copy = holder;
    EXPECT_EQ(copy.Get(), holder.Get());
    copy->Bind();
    EXPECT_EQ(VertexBuffer_D3D7::Current(), copy.Get());
  }
  EXPECT_EQ(copy->GetCount(), 2u);
  copy = VertexBufferHolder();
  EXPECT_EQ(VertexBuffer_D3D7::Current(), nullptr);
}

TEST(IndexBuffer, SixteenBitBelowSixtyFiveThousandFiveHundredThirtySixIndices) {
  IndexBufferHolder small(65535, 0);
  EXPECT_EQ(small->GetFormat(), kIndex16);
  EXPECT_EQ(small->GetElementSize(), 2u);
  IndexBufferHolder large(65536, 0);
  EXPECT_EQ(large->GetFormat(), kIndex32);
  EXPECT_EQ(large->GetElementSize(), 4u);
}

TEST(IndexBuffer, ThirtyTwoBitValuesThatFitUploadUnchangedIntoSixteenBits) {
  IndexBufferHolder holder(4, 0);
  const uint32_t source[4] = {0, 1, 65535, 3};
  holder.Upload(source);
  EXPECT_EQ(holder->GetElementSize(), 2u);
  EXPECT_EQ(holder->GetIndex(2), 65535u);
  EXPECT_EQ(holder->GetIndex(3), 3u);
}

TEST(IndexBuffer, ValuesThatDoNotFitWidenTheBufferInsteadOfBeingCut) {
  IndexBufferHolder holder(3, 0);
  const uint16_t first[3] = {5, 6, 7};
  holder.Upload(first);
  const uint32_t wide[1] = {70000};
  holder.Upload(wide, 1);
  EXPECT_EQ(holder->GetElementSize(), 4u);
  EXPECT_EQ(holder->GetIndex(0), 70000u);
  EXPECT_EQ(holder->GetIndex(1), 6u);
  EXPECT_EQ(holder->GetIndex(2), 7u);
}

TEST(IndexBuffer, UploadsNeverWriteBeyondTheCount) {
  IndexBufferHolder holder(2, 0);
  const uint16_t source[5] = {1, 2, 3, 4, 5};
  holder.Upload(source, 5);
  EXPECT_EQ(holder->GetIndex(1), 2u);
  EXPECT_EQ(holder->GetIndex(2), 0u);
  holder.Upload(static_cast<const uint16_t*>(nullptr));
}

TEST(IndexBuffer, RangeAccess) {
  IndexBuffer_D3D7 buffer(0, kIndex16, 10);
  uint32_t count = 0;
  EXPECT_EQ(buffer.GetRange(10, count), nullptr);
  count = 0;
  EXPECT_EQ(buffer.GetRange(4, count), buffer.Data() + 8);
  EXPECT_EQ(count, 6u);
  count = 100;
  buffer.GetRange(8, count);
  EXPECT_EQ(count, 2u);
  count = 3;
  buffer.GetRange(1, count);
  EXPECT_EQ(count, 3u);
}

}  // namespace
