// STUB: to be replaced.
#include "placement/PositionBook.h"
namespace xs {
PositionBook::PositionBook(Store& store, Views& views, WindowLocator& locator, WindowSystem& system) : store_(store), views_(views), locator_(locator), system_(system) {}
void PositionBook::LoadPosition() {}
void PositionBook::SavePosition() {}
void PositionBook::ClearPosition() {}
void PositionBook::ResetWindow() {}
void PositionBook::PlaceWindow(WindowHandle, int32_t, int32_t) {}
}  // namespace xs
