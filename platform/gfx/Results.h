#pragma once
// Result codes of every graphics call. They are the DirectDraw result numbers, because the render
// code tests them by value (surface lost, wrong mode, still drawing) and logs each failure with the
// description of its code; the table below lists every code that the error-text lookup knows, in
// the order that lookup compares them.

#include <cstddef>
#include <cstdint>

namespace gfx {

using Result = int32_t;

constexpr bool Failed(Result r) { return r < 0; }
constexpr bool Succeeded(Result r) { return r >= 0; }

constexpr Result MakeResult(uint32_t code) { return static_cast<Result>(0x88760000u | code); }

inline constexpr Result DD_OK = 0;

// The general error codes DirectDraw shares with the rest of the system.
inline constexpr Result DDERR_GENERIC = static_cast<Result>(0x80004005u);
inline constexpr Result DDERR_INVALIDPARAMS = static_cast<Result>(0x80070057u);
inline constexpr Result DDERR_OUTOFMEMORY = static_cast<Result>(0x8007000Eu);
inline constexpr Result DDERR_UNSUPPORTED = static_cast<Result>(0x80004001u);
inline constexpr Result DDERR_NOTINITIALIZED = static_cast<Result>(0x800401F0u);

inline constexpr Result DDERR_ALREADYINITIALIZED = MakeResult(5);
inline constexpr Result DDERR_CANNOTATTACHSURFACE = MakeResult(10);
inline constexpr Result DDERR_CANNOTDETACHSURFACE = MakeResult(20);
inline constexpr Result DDERR_CURRENTLYNOTAVAIL = MakeResult(40);
inline constexpr Result DDERR_EXCEPTION = MakeResult(55);
inline constexpr Result DDERR_HEIGHTALIGN = MakeResult(90);
inline constexpr Result DDERR_INCOMPATIBLEPRIMARY = MakeResult(95);
inline constexpr Result DDERR_INVALIDCAPS = MakeResult(100);
inline constexpr Result DDERR_INVALIDCLIPLIST = MakeResult(110);
inline constexpr Result DDERR_INVALIDMODE = MakeResult(120);
inline constexpr Result DDERR_INVALIDOBJECT = MakeResult(130);
inline constexpr Result DDERR_INVALIDPIXELFORMAT = MakeResult(145);
inline constexpr Result DDERR_INVALIDRECT = MakeResult(150);
inline constexpr Result DDERR_LOCKEDSURFACES = MakeResult(160);
inline constexpr Result DDERR_NO3D = MakeResult(170);
inline constexpr Result DDERR_NOALPHAHW = MakeResult(180);
inline constexpr Result DDERR_NOSTEREOHARDWARE = MakeResult(181);
inline constexpr Result DDERR_NOSURFACELEFT = MakeResult(182);
inline constexpr Result DDERR_NOCLIPLIST = MakeResult(205);
inline constexpr Result DDERR_NOCOLORCONVHW = MakeResult(210);
inline constexpr Result DDERR_NOCOOPERATIVELEVELSET = MakeResult(212);
inline constexpr Result DDERR_NOCOLORKEY = MakeResult(215);
inline constexpr Result DDERR_NOCOLORKEYHW = MakeResult(220);
inline constexpr Result DDERR_NODIRECTDRAWSUPPORT = MakeResult(222);
inline constexpr Result DDERR_NOEXCLUSIVEMODE = MakeResult(225);
inline constexpr Result DDERR_NOFLIPHW = MakeResult(230);
inline constexpr Result DDERR_NOGDI = MakeResult(240);
inline constexpr Result DDERR_NOMIRRORHW = MakeResult(250);
inline constexpr Result DDERR_NOTFOUND = MakeResult(255);
inline constexpr Result DDERR_NOOVERLAYHW = MakeResult(260);
inline constexpr Result DDERR_OVERLAPPINGRECTS = MakeResult(270);
inline constexpr Result DDERR_NORASTEROPHW = MakeResult(280);
inline constexpr Result DDERR_NOROTATIONHW = MakeResult(290);
inline constexpr Result DDERR_NOSTRETCHHW = MakeResult(310);
inline constexpr Result DDERR_NOT4BITCOLOR = MakeResult(316);
inline constexpr Result DDERR_NOT4BITCOLORINDEX = MakeResult(317);
inline constexpr Result DDERR_NOT8BITCOLOR = MakeResult(320);
inline constexpr Result DDERR_NOTEXTUREHW = MakeResult(330);
inline constexpr Result DDERR_NOVSYNCHW = MakeResult(335);
inline constexpr Result DDERR_NOZBUFFERHW = MakeResult(340);
inline constexpr Result DDERR_NOZOVERLAYHW = MakeResult(350);
inline constexpr Result DDERR_OUTOFCAPS = MakeResult(360);
inline constexpr Result DDERR_OUTOFVIDEOMEMORY = MakeResult(380);
inline constexpr Result DDERR_OVERLAYCANTCLIP = MakeResult(382);
inline constexpr Result DDERR_OVERLAYCOLORKEYONLYONEACTIVE = MakeResult(384);
inline constexpr Result DDERR_PALETTEBUSY = MakeResult(387);
inline constexpr Result DDERR_COLORKEYNOTSET = MakeResult(400);
inline constexpr Result DDERR_SURFACEALREADYATTACHED = MakeResult(410);
inline constexpr Result DDERR_SURFACEALREADYDEPENDENT = MakeResult(420);
inline constexpr Result DDERR_SURFACEBUSY = MakeResult(430);
inline constexpr Result DDERR_CANTLOCKSURFACE = MakeResult(435);
inline constexpr Result DDERR_SURFACEISOBSCURED = MakeResult(440);
inline constexpr Result DDERR_SURFACELOST = MakeResult(450);
inline constexpr Result DDERR_SURFACENOTATTACHED = MakeResult(460);
inline constexpr Result DDERR_TOOBIGHEIGHT = MakeResult(470);
inline constexpr Result DDERR_TOOBIGSIZE = MakeResult(480);
inline constexpr Result DDERR_TOOBIGWIDTH = MakeResult(490);
inline constexpr Result DDERR_UNSUPPORTEDFORMAT = MakeResult(510);
inline constexpr Result DDERR_UNSUPPORTEDMASK = MakeResult(520);
inline constexpr Result DDERR_INVALIDSTREAM = MakeResult(521);
inline constexpr Result DDERR_VERTICALBLANKINPROGRESS = MakeResult(537);
inline constexpr Result DDERR_WASSTILLDRAWING = MakeResult(540);
inline constexpr Result DDERR_DDSCAPSCOMPLEXREQUIRED = MakeResult(542);
inline constexpr Result DDERR_XALIGN = MakeResult(560);
inline constexpr Result DDERR_INVALIDDIRECTDRAWGUID = MakeResult(561);
inline constexpr Result DDERR_DIRECTDRAWALREADYCREATED = MakeResult(562);
inline constexpr Result DDERR_NODIRECTDRAWHW = MakeResult(563);
inline constexpr Result DDERR_PRIMARYSURFACEALREADYEXISTS = MakeResult(564);
inline constexpr Result DDERR_NOEMULATION = MakeResult(565);
inline constexpr Result DDERR_REGIONTOOSMALL = MakeResult(566);
inline constexpr Result DDERR_CLIPPERISUSINGHWND = MakeResult(567);
inline constexpr Result DDERR_NOCLIPPERATTACHED = MakeResult(568);
inline constexpr Result DDERR_NOHWND = MakeResult(569);
inline constexpr Result DDERR_HWNDSUBCLASSED = MakeResult(570);
inline constexpr Result DDERR_HWNDALREADYSET = MakeResult(571);
inline constexpr Result DDERR_NOPALETTEATTACHED = MakeResult(572);
inline constexpr Result DDERR_NOPALETTEHW = MakeResult(573);
inline constexpr Result DDERR_BLTFASTCANTCLIP = MakeResult(574);
inline constexpr Result DDERR_NOBLTHW = MakeResult(575);
inline constexpr Result DDERR_NODDROPSHW = MakeResult(576);
inline constexpr Result DDERR_OVERLAYNOTVISIBLE = MakeResult(577);
inline constexpr Result DDERR_NOOVERLAYDEST = MakeResult(578);
inline constexpr Result DDERR_INVALIDPOSITION = MakeResult(579);
inline constexpr Result DDERR_NOTAOVERLAYSURFACE = MakeResult(580);
inline constexpr Result DDERR_EXCLUSIVEMODEALREADYSET = MakeResult(581);
inline constexpr Result DDERR_NOTFLIPPABLE = MakeResult(582);
inline constexpr Result DDERR_CANTDUPLICATE = MakeResult(583);
inline constexpr Result DDERR_NOTLOCKED = MakeResult(584);
inline constexpr Result DDERR_CANTCREATEDC = MakeResult(585);
inline constexpr Result DDERR_NODC = MakeResult(586);
inline constexpr Result DDERR_WRONGMODE = MakeResult(587);
inline constexpr Result DDERR_IMPLICITLYCREATED = MakeResult(588);
inline constexpr Result DDERR_NOTPALETTIZED = MakeResult(589);
inline constexpr Result DDERR_UNSUPPORTEDMODE = MakeResult(590);
inline constexpr Result DDERR_NOMIPMAPHW = MakeResult(591);
inline constexpr Result DDERR_INVALIDSURFACETYPE = MakeResult(592);
inline constexpr Result DDERR_NOOPTIMIZEHW = MakeResult(600);
inline constexpr Result DDERR_NOTLOADED = MakeResult(601);
inline constexpr Result DDERR_NOFOCUSWINDOW = MakeResult(602);
inline constexpr Result DDERR_DCALREADYCREATED = MakeResult(620);
inline constexpr Result DDERR_NONONLOCALVIDMEM = MakeResult(630);
inline constexpr Result DDERR_CANTPAGELOCK = MakeResult(640);
inline constexpr Result DDERR_CANTPAGEUNLOCK = MakeResult(660);
inline constexpr Result DDERR_NOTPAGELOCKED = MakeResult(680);
inline constexpr Result DDERR_MOREDATA = MakeResult(690);
inline constexpr Result DDERR_EXPIRED = MakeResult(691);
inline constexpr Result DDERR_TESTFINISHED = MakeResult(692);
inline constexpr Result DDERR_NEWMODE = MakeResult(693);
inline constexpr Result DDERR_VIDEONOTACTIVE = MakeResult(695);
inline constexpr Result DDERR_NOMONITORINFORMATION = MakeResult(696);
inline constexpr Result DDERR_NODRIVERSUPPORT = MakeResult(697);
inline constexpr Result DDERR_DEVICEDOESNTOWNSURFACE = MakeResult(699);

struct ResultName {
  Result code;
  const char* name;  // the constant's name, e.g. "DDERR_SURFACELOST"
};

// Every failure code above (all 117), in the order the error-text lookup compares them.
extern const ResultName kResultTable[];
extern const std::size_t kResultTableSize;

// The constant's name of a code, or null for a code not in the table (DD_OK gives "DD_OK").
const char* ResultCodeName(Result code);

}  // namespace gfx
