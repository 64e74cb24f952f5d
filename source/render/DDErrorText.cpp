#include "source/render/DDErrorText.h"

#include <cstdio>

#include "platform/gfx/Results.h"
#include "source/log/cLog.h"

namespace {

struct ErrorRow {
  gfx::Result code;
  const char* text;
};

// In comparison order. The texts describe each code for whoever reads the log.
const ErrorRow kRows[] = {
    {gfx::DDERR_ALREADYINITIALIZED, "The object has already been initialized."},
    {gfx::DDERR_BLTFASTCANTCLIP, "A clipper is attached to the source surface of a fast blit."},
    {gfx::DDERR_CANNOTATTACHSURFACE, "The surface cannot be attached to the requested surface."},
    {gfx::DDERR_CANNOTDETACHSURFACE, "The surface cannot be detached from the requested surface."},
    {gfx::DDERR_CANTCREATEDC, "No device context could be created for the surface."},
    {gfx::DDERR_CANTDUPLICATE, "Primary and 3-D surfaces, and surfaces attached to others, cannot be duplicated."},
    {gfx::DDERR_CANTLOCKSURFACE, "The surface cannot be locked for direct access."},
    {gfx::DDERR_CANTPAGELOCK, "The surface could not be page-locked."},
    {gfx::DDERR_CANTPAGEUNLOCK, "The surface could not be page-unlocked."},
    {gfx::DDERR_CLIPPERISUSINGHWND, "A clip list was given to a clipper that already follows a window."},
    {gfx::DDERR_COLORKEYNOTSET, "No source colour key has been set."},
    {gfx::DDERR_CURRENTLYNOTAVAIL, "Support for this request is not available right now."},
    {gfx::DDERR_DDSCAPSCOMPLEXREQUIRED, "The surface needs the complex capability."},
    {gfx::DDERR_DCALREADYCREATED, "A device context has already been handed out for this surface."},
    {gfx::DDERR_DEVICEDOESNTOWNSURFACE, "The surface belongs to another DirectDraw device."},
    {gfx::DDERR_DIRECTDRAWALREADYCREATED, "A DirectDraw object for this driver already exists in this process."},
    {gfx::DDERR_EXCEPTION, "An exception occurred while the operation ran."},
    {gfx::DDERR_EXCLUSIVEMODEALREADYSET, "Another object already holds exclusive mode."},
    {gfx::DDERR_EXPIRED, "The data has expired and is no longer valid."},
    {gfx::DDERR_GENERIC, "There is an undefined error condition."},
    {gfx::DDERR_HEIGHTALIGN, "The rectangle's height is not a multiple of the required alignment."},
    {gfx::DDERR_HWNDALREADYSET, "The cooperative-level window cannot change while surfaces or palettes exist."},
    {gfx::DDERR_HWNDSUBCLASSED, "The window has been subclassed, so its state cannot be restored."},
    {gfx::DDERR_IMPLICITLYCREATED, "The surface was made implicitly and cannot be restored on its own."},
    {gfx::DDERR_INCOMPATIBLEPRIMARY, "The asked primary surface does not match the existing one."},
    {gfx::DDERR_INVALIDCAPS, "The capabilities passed in are not valid."},
    {gfx::DDERR_INVALIDCLIPLIST, "The clip list is not supported."},
    {gfx::DDERR_INVALIDDIRECTDRAWGUID, "The driver identifier is not a known DirectDraw driver."},
    {gfx::DDERR_INVALIDMODE, "The display mode is not supported."},
    {gfx::DDERR_INVALIDOBJECT, "An object given to the call is not valid."},
    {gfx::DDERR_INVALIDPARAMS, "One or more of the parameters passed to the method are incorrect."},
    {gfx::DDERR_INVALIDPIXELFORMAT, "The pixel format is not valid."},
    {gfx::DDERR_INVALIDPOSITION, "The overlay position is not valid."},
    {gfx::DDERR_INVALIDRECT, "The rectangle is not valid."},
    {gfx::DDERR_INVALIDSTREAM, "The stream is not valid."},
    {gfx::DDERR_INVALIDSURFACETYPE, "The surface is of the wrong type for this operation."},
    {gfx::DDERR_LOCKEDSURFACES, "Surfaces are locked, so the operation cannot proceed."},
    {gfx::DDERR_MOREDATA, "There is more data than the buffer can hold."},
    {gfx::DDERR_NEWMODE, "The display mode has changed."},
    {gfx::DDERR_NO3D, "No 3-D hardware or emulation is present."},
    {gfx::DDERR_NOALPHAHW, "No alpha-blending hardware is present."},
    {gfx::DDERR_NOBLTHW, "No blitting hardware is present."},
    {gfx::DDERR_NOCLIPLIST, "No clip list is available."},
    {gfx::DDERR_NOCLIPPERATTACHED, "No clipper is attached to the surface."},
    {gfx::DDERR_NOCOLORCONVHW, "No colour-conversion hardware is present."},
    {gfx::DDERR_NOCOLORKEY, "The surface has no colour key."},
    {gfx::DDERR_NOCOLORKEYHW, "No hardware support for the destination colour key."},
    {gfx::DDERR_NOCOOPERATIVELEVELSET, "The cooperative level has not been set."},
    {gfx::DDERR_NODC, "No device context exists for the surface."},
    {gfx::DDERR_NODDROPSHW, "No hardware support for raster operations."},
    {gfx::DDERR_NODIRECTDRAWHW, "The hardware has no DirectDraw support."},
    {gfx::DDERR_NODIRECTDRAWSUPPORT, "The display driver does not support DirectDraw."},
    {gfx::DDERR_NODRIVERSUPPORT, "The driver does not support this query."},
    {gfx::DDERR_NOEMULATION, "Software emulation is not available."},
    {gfx::DDERR_NOEXCLUSIVEMODE, "The operation needs exclusive mode, which the program does not hold."},
    {gfx::DDERR_NOFLIPHW, "Flipping visible surfaces is not supported."},
    {gfx::DDERR_NOFOCUSWINDOW, "No focus window was set for the device."},
    {gfx::DDERR_NOGDI, "No GDI is present."},
    {gfx::DDERR_NOHWND, "No window has been set through the cooperative level."},
    {gfx::DDERR_NOMIPMAPHW, "No mip-mapping hardware is present."},
    {gfx::DDERR_NOMIRRORHW, "No mirroring hardware is present."},
    {gfx::DDERR_NOMONITORINFORMATION, "Nothing is known about the attached monitor."},
    {gfx::DDERR_NONONLOCALVIDMEM, "Non-local video memory is not available."},
    {gfx::DDERR_NOOPTIMIZEHW, "Optimised surfaces are not supported."},
    {gfx::DDERR_NOOVERLAYDEST, "The overlay has no destination set."},
    {gfx::DDERR_NOOVERLAYHW, "No overlay hardware is present."},
    {gfx::DDERR_NOPALETTEATTACHED, "No palette is attached to the surface."},
    {gfx::DDERR_NOPALETTEHW, "No hardware support for 16- or 256-colour palettes."},
    {gfx::DDERR_NORASTEROPHW, "No raster-operation hardware is present."},
    {gfx::DDERR_NOROTATIONHW, "No rotation hardware is present."},
    {gfx::DDERR_NOSTEREOHARDWARE, "No stereo hardware is present."},
    {gfx::DDERR_NOSTRETCHHW, "No hardware support for stretching."},
    {gfx::DDERR_NOSURFACELEFT, "No surface is left for the operation."},
    {gfx::DDERR_NOT4BITCOLOR, "The surface does not use a 4-bit colour palette."},
    {gfx::DDERR_NOT4BITCOLORINDEX, "The surface is not 4-bit colour indexed."},
    {gfx::DDERR_NOT8BITCOLOR, "The surface is not 8-bit colour."},
    {gfx::DDERR_NOTAOVERLAYSURFACE, "The surface is not an overlay."},
    {gfx::DDERR_NOTEXTUREHW, "No texture-mapping hardware is present."},
    {gfx::DDERR_NOTFLIPPABLE, "The surface cannot be flipped."},
    {gfx::DDERR_NOTFOUND, "The requested item was not found."},
    {gfx::DDERR_NOTINITIALIZED, "The object was used before it was initialised."},
    {gfx::DDERR_NOTLOADED, "The surface has no memory allocated yet."},
    {gfx::DDERR_NOTLOCKED, "The surface is not locked."},
    {gfx::DDERR_NOTPAGELOCKED, "The surface is not page-locked."},
    {gfx::DDERR_NOTPALETTIZED, "The surface has no palette."},
    {gfx::DDERR_NOVSYNCHW, "No hardware support for vertical-blank synchronisation."},
    {gfx::DDERR_NOZBUFFERHW, "No hardware support for depth buffers."},
    {gfx::DDERR_NOZOVERLAYHW, "No hardware support for overlay depth ordering."},
    {gfx::DDERR_OUTOFCAPS, "The hardware needed has already been allocated."},
    {gfx::DDERR_OUTOFMEMORY, "DirectDraw does not have enough memory to perform the operation."},
    {gfx::DDERR_OUTOFVIDEOMEMORY, "There is not enough display memory for the operation."},
    {gfx::DDERR_OVERLAPPINGRECTS, "The source and destination rectangles overlap."},
    {gfx::DDERR_OVERLAYCANTCLIP, "The overlay hardware cannot clip."},
    {gfx::DDERR_OVERLAYCOLORKEYONLYONEACTIVE, "Only one colour key may be active on an overlay."},
    {gfx::DDERR_OVERLAYNOTVISIBLE, "The overlay is hidden."},
    {gfx::DDERR_PALETTEBUSY, "The palette is locked by another thread."},
    {gfx::DDERR_PRIMARYSURFACEALREADYEXISTS, "A primary surface already exists."},
    {gfx::DDERR_REGIONTOOSMALL, "The region is too small."},
    {gfx::DDERR_SURFACEALREADYATTACHED, "The surface is already attached."},
    {gfx::DDERR_SURFACEALREADYDEPENDENT, "The surface already depends on another one."},
    {gfx::DDERR_SURFACEBUSY, "The surface is locked by another thread."},
    {gfx::DDERR_SURFACEISOBSCURED, "The surface is covered and cannot be reached."},
    {gfx::DDERR_SURFACELOST, "The surface's memory is gone and must be restored."},
    {gfx::DDERR_SURFACENOTATTACHED, "The surface is not attached."},
    {gfx::DDERR_TESTFINISHED, "The mode test has finished."},
    {gfx::DDERR_TOOBIGHEIGHT, "The height is larger than the hardware allows."},
    {gfx::DDERR_TOOBIGSIZE, "The size is larger than the hardware allows."},
    {gfx::DDERR_TOOBIGWIDTH, "The width is larger than the hardware allows."},
    {gfx::DDERR_UNSUPPORTED, "The operation is not supported."},
    {gfx::DDERR_UNSUPPORTEDFORMAT, "The pixel format is not supported."},
    {gfx::DDERR_UNSUPPORTEDMASK, "The bit mask of the pixel format is not supported."},
    {gfx::DDERR_UNSUPPORTEDMODE, "The display is in a mode that is not supported."},
    {gfx::DDERR_VERTICALBLANKINPROGRESS, "A vertical blank is in progress."},
    {gfx::DDERR_VIDEONOTACTIVE, "The video port is not active."},
    {gfx::DDERR_WASSTILLDRAWING, "The previous blit to or from the surface has not finished."},
    {gfx::DDERR_WRONGMODE, "The surface was made in another display mode and cannot be restored."},
    {gfx::DDERR_XALIGN, "The rectangle is not horizontally aligned as required."},
};

}  // namespace

std::string DDErrorDescription(int32_t result) {
  for (const ErrorRow& row : kRows) {
    if (row.code == result) return row.text;
  }
  char text[64];
  std::snprintf(text, sizeof text, "Unknown error (Code: 0x%08X)", static_cast<unsigned>(result));
  return text;
}

void DDErrorText(const char* expression, int32_t result, const char* source, int line) {
  if (result >= 0) return;
  LogReport(kLogError, source, line, "Direct3D Subsystem (%s): %s", expression,
            DDErrorDescription(result).c_str());
}

int32_t DDErrorCodeAt(std::size_t index) {
  return index < DDErrorCodeCount() ? kRows[index].code : 0;
}

std::size_t DDErrorCodeCount() { return sizeof kRows / sizeof kRows[0]; }
