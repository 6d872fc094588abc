#include "sensor_bitmap_alloc.h"

#include <cstddef>
#include <cstring>
#include <new>

namespace dravik {

SensorBitmap* newSensorBitmap(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    // Header and pixels in one block, so the caller frees a single thing.
    void* block = ::operator new(sizeof(SensorBitmap) + pixels, std::nothrow);
    if (block == nullptr) return nullptr;
    auto* bitmap = new (block) SensorBitmap{};
    bitmap->width = width;
    bitmap->height = height;
    bitmap->pixels = static_cast<uint8_t*>(block) + sizeof(SensorBitmap);
    std::memset(bitmap->pixels, 0, pixels);
    return bitmap;
}

void freeSensorBitmap(SensorBitmap* bitmap) {
    if (bitmap == nullptr) return;
    bitmap->~SensorBitmap();
    ::operator delete(static_cast<void*>(bitmap));
}

}  // namespace dravik
