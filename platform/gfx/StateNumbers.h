#pragma once
// The Direct3D 7 numbers of render states, texture-stage states and their values: blend factors,
// compare functions, texture-stage operations and arguments, addressing and filters. Shader files
// ("EESRF", resource type "shader") and model files ("EEMLF") keep their blend and stage settings
// in codes the renderer turns into exactly these numbers, so the numbers are part of what those
// files mean and must never change.

#include <cstdint>

namespace gfx {

// ---- render states (Device::SetRenderState) -----------------------------------------------------
inline constexpr uint32_t D3DRENDERSTATE_ANTIALIAS = 2;
inline constexpr uint32_t D3DRENDERSTATE_TEXTUREPERSPECTIVE = 4;
inline constexpr uint32_t D3DRENDERSTATE_ZENABLE = 7;
inline constexpr uint32_t D3DRENDERSTATE_FILLMODE = 8;
inline constexpr uint32_t D3DRENDERSTATE_SHADEMODE = 9;
inline constexpr uint32_t D3DRENDERSTATE_LINEPATTERN = 10;
inline constexpr uint32_t D3DRENDERSTATE_ZWRITEENABLE = 14;
inline constexpr uint32_t D3DRENDERSTATE_ALPHATESTENABLE = 15;
inline constexpr uint32_t D3DRENDERSTATE_LASTPIXEL = 16;
inline constexpr uint32_t D3DRENDERSTATE_SRCBLEND = 19;
inline constexpr uint32_t D3DRENDERSTATE_DESTBLEND = 20;
inline constexpr uint32_t D3DRENDERSTATE_CULLMODE = 22;
inline constexpr uint32_t D3DRENDERSTATE_ZFUNC = 23;
inline constexpr uint32_t D3DRENDERSTATE_ALPHAREF = 24;
inline constexpr uint32_t D3DRENDERSTATE_ALPHAFUNC = 25;
inline constexpr uint32_t D3DRENDERSTATE_DITHERENABLE = 26;
inline constexpr uint32_t D3DRENDERSTATE_ALPHABLENDENABLE = 27;
inline constexpr uint32_t D3DRENDERSTATE_FOGENABLE = 28;
inline constexpr uint32_t D3DRENDERSTATE_SPECULARENABLE = 29;
inline constexpr uint32_t D3DRENDERSTATE_ZVISIBLE = 30;
inline constexpr uint32_t D3DRENDERSTATE_STIPPLEDALPHA = 33;
inline constexpr uint32_t D3DRENDERSTATE_FOGCOLOR = 34;
inline constexpr uint32_t D3DRENDERSTATE_FOGTABLEMODE = 35;
inline constexpr uint32_t D3DRENDERSTATE_FOGSTART = 36;
inline constexpr uint32_t D3DRENDERSTATE_FOGEND = 37;
inline constexpr uint32_t D3DRENDERSTATE_FOGDENSITY = 38;
inline constexpr uint32_t D3DRENDERSTATE_EDGEANTIALIAS = 40;
inline constexpr uint32_t D3DRENDERSTATE_COLORKEYENABLE = 41;
inline constexpr uint32_t D3DRENDERSTATE_ZBIAS = 47;
inline constexpr uint32_t D3DRENDERSTATE_RANGEFOGENABLE = 48;
inline constexpr uint32_t D3DRENDERSTATE_STENCILENABLE = 52;
inline constexpr uint32_t D3DRENDERSTATE_STENCILFAIL = 53;
inline constexpr uint32_t D3DRENDERSTATE_STENCILZFAIL = 54;
inline constexpr uint32_t D3DRENDERSTATE_STENCILPASS = 55;
inline constexpr uint32_t D3DRENDERSTATE_STENCILFUNC = 56;
inline constexpr uint32_t D3DRENDERSTATE_STENCILREF = 57;
inline constexpr uint32_t D3DRENDERSTATE_STENCILMASK = 58;
inline constexpr uint32_t D3DRENDERSTATE_STENCILWRITEMASK = 59;
inline constexpr uint32_t D3DRENDERSTATE_TEXTUREFACTOR = 60;
inline constexpr uint32_t D3DRENDERSTATE_WRAP0 = 128;  // .. WRAP7 = 135
inline constexpr uint32_t D3DRENDERSTATE_CLIPPING = 136;
inline constexpr uint32_t D3DRENDERSTATE_LIGHTING = 137;
inline constexpr uint32_t D3DRENDERSTATE_EXTENTS = 138;
inline constexpr uint32_t D3DRENDERSTATE_AMBIENT = 139;
inline constexpr uint32_t D3DRENDERSTATE_FOGVERTEXMODE = 140;
inline constexpr uint32_t D3DRENDERSTATE_COLORVERTEX = 141;
inline constexpr uint32_t D3DRENDERSTATE_LOCALVIEWER = 142;
inline constexpr uint32_t D3DRENDERSTATE_NORMALIZENORMALS = 143;
inline constexpr uint32_t D3DRENDERSTATE_COLORKEYBLENDENABLE = 144;
inline constexpr uint32_t D3DRENDERSTATE_DIFFUSEMATERIALSOURCE = 145;
inline constexpr uint32_t D3DRENDERSTATE_SPECULARMATERIALSOURCE = 146;
inline constexpr uint32_t D3DRENDERSTATE_AMBIENTMATERIALSOURCE = 147;
inline constexpr uint32_t D3DRENDERSTATE_EMISSIVEMATERIALSOURCE = 148;
inline constexpr uint32_t D3DRENDERSTATE_VERTEXBLEND = 151;
inline constexpr uint32_t D3DRENDERSTATE_CLIPPLANEENABLE = 152;
inline constexpr uint32_t kRenderStateCount = 256;  // render state numbers are below this

// ---- texture-stage states (Device::SetTextureStageState) ----------------------------------------
inline constexpr uint32_t D3DTSS_COLOROP = 1;
inline constexpr uint32_t D3DTSS_COLORARG1 = 2;
inline constexpr uint32_t D3DTSS_COLORARG2 = 3;
inline constexpr uint32_t D3DTSS_ALPHAOP = 4;
inline constexpr uint32_t D3DTSS_ALPHAARG1 = 5;
inline constexpr uint32_t D3DTSS_ALPHAARG2 = 6;
inline constexpr uint32_t D3DTSS_BUMPENVMAT00 = 7;
inline constexpr uint32_t D3DTSS_BUMPENVMAT01 = 8;
inline constexpr uint32_t D3DTSS_BUMPENVMAT10 = 9;
inline constexpr uint32_t D3DTSS_BUMPENVMAT11 = 10;
inline constexpr uint32_t D3DTSS_TEXCOORDINDEX = 11;
inline constexpr uint32_t D3DTSS_ADDRESS = 12;  // sets U and V together
inline constexpr uint32_t D3DTSS_ADDRESSU = 13;
inline constexpr uint32_t D3DTSS_ADDRESSV = 14;
inline constexpr uint32_t D3DTSS_BORDERCOLOR = 15;
inline constexpr uint32_t D3DTSS_MAGFILTER = 16;
inline constexpr uint32_t D3DTSS_MINFILTER = 17;
inline constexpr uint32_t D3DTSS_MIPFILTER = 18;
inline constexpr uint32_t D3DTSS_MIPMAPLODBIAS = 19;
inline constexpr uint32_t D3DTSS_MAXMIPLEVEL = 20;
inline constexpr uint32_t D3DTSS_MAXANISOTROPY = 21;
inline constexpr uint32_t D3DTSS_BUMPENVLSCALE = 22;
inline constexpr uint32_t D3DTSS_BUMPENVLOFFSET = 23;
inline constexpr uint32_t D3DTSS_TEXTURETRANSFORMFLAGS = 24;
inline constexpr uint32_t kTextureStageStateCount = 25;  // numbers 1 .. 24
inline constexpr uint32_t kMaxTextureStages = 8;

// ---- blend factors (SRCBLEND, DESTBLEND) ---------------------------------------------------------
inline constexpr uint32_t D3DBLEND_ZERO = 1;
inline constexpr uint32_t D3DBLEND_ONE = 2;
inline constexpr uint32_t D3DBLEND_SRCCOLOR = 3;
inline constexpr uint32_t D3DBLEND_INVSRCCOLOR = 4;
inline constexpr uint32_t D3DBLEND_SRCALPHA = 5;
inline constexpr uint32_t D3DBLEND_INVSRCALPHA = 6;
inline constexpr uint32_t D3DBLEND_DESTALPHA = 7;
inline constexpr uint32_t D3DBLEND_INVDESTALPHA = 8;
inline constexpr uint32_t D3DBLEND_DESTCOLOR = 9;
inline constexpr uint32_t D3DBLEND_INVDESTCOLOR = 10;
inline constexpr uint32_t D3DBLEND_SRCALPHASAT = 11;
inline constexpr uint32_t D3DBLEND_BOTHSRCALPHA = 12;
inline constexpr uint32_t D3DBLEND_BOTHINVSRCALPHA = 13;

// ---- the program's own blend codes ---------------------------------------------------------------
// Shader files ("EESRF", resource type "shader") and the shader descriptions of resource lists store
// their source and destination blend factors in these codes, not in D3DBLEND numbers; the render
// system turns them into device factors here, once. 0 counts as one; unknown codes as zero.
inline constexpr uint32_t kBlendCodeOne = 1;
inline constexpr uint32_t kBlendCodeDestColor = 2;
inline constexpr uint32_t kBlendCodeInverseDestColor = 3;
inline constexpr uint32_t kBlendCodeSourceAlpha = 4;
inline constexpr uint32_t kBlendCodeInverseSourceAlpha = 5;
inline constexpr uint32_t kBlendCodeDestAlpha = 6;
inline constexpr uint32_t kBlendCodeInverseDestAlpha = 7;
inline constexpr uint32_t kBlendCodeSourceAlphaSaturated = 8;
inline constexpr uint32_t kBlendCodeSourceColor = 9;
inline constexpr uint32_t kBlendCodeInverseSourceColor = 10;
inline constexpr uint32_t kBlendCodeZero = 11;  // and every code above

constexpr uint32_t BlendFactorOfCode(uint32_t code) {
  switch (code) {
    case 0:
    case kBlendCodeOne: return D3DBLEND_ONE;
    case kBlendCodeDestColor: return D3DBLEND_DESTCOLOR;
    case kBlendCodeInverseDestColor: return D3DBLEND_INVDESTCOLOR;
    case kBlendCodeSourceAlpha: return D3DBLEND_SRCALPHA;
    case kBlendCodeInverseSourceAlpha: return D3DBLEND_INVSRCALPHA;
    case kBlendCodeDestAlpha: return D3DBLEND_DESTALPHA;
    case kBlendCodeInverseDestAlpha: return D3DBLEND_INVDESTALPHA;
    case kBlendCodeSourceAlphaSaturated: return D3DBLEND_SRCALPHASAT;
    case kBlendCodeSourceColor: return D3DBLEND_SRCCOLOR;
    case kBlendCodeInverseSourceColor: return D3DBLEND_INVSRCCOLOR;
    default: return D3DBLEND_ZERO;
  }
}

// ---- compare functions (ZFUNC, ALPHAFUNC, STENCILFUNC) ------------------------------------------
inline constexpr uint32_t D3DCMP_NEVER = 1;
inline constexpr uint32_t D3DCMP_LESS = 2;
inline constexpr uint32_t D3DCMP_EQUAL = 3;
inline constexpr uint32_t D3DCMP_LESSEQUAL = 4;
inline constexpr uint32_t D3DCMP_GREATER = 5;
inline constexpr uint32_t D3DCMP_NOTEQUAL = 6;
inline constexpr uint32_t D3DCMP_GREATEREQUAL = 7;
inline constexpr uint32_t D3DCMP_ALWAYS = 8;

// ---- texture-stage operations (COLOROP, ALPHAOP) -------------------------------------------------
inline constexpr uint32_t D3DTOP_DISABLE = 1;
inline constexpr uint32_t D3DTOP_SELECTARG1 = 2;
inline constexpr uint32_t D3DTOP_SELECTARG2 = 3;
inline constexpr uint32_t D3DTOP_MODULATE = 4;
inline constexpr uint32_t D3DTOP_MODULATE2X = 5;
inline constexpr uint32_t D3DTOP_MODULATE4X = 6;
inline constexpr uint32_t D3DTOP_ADD = 7;
inline constexpr uint32_t D3DTOP_ADDSIGNED = 8;
inline constexpr uint32_t D3DTOP_ADDSIGNED2X = 9;
inline constexpr uint32_t D3DTOP_SUBTRACT = 10;
inline constexpr uint32_t D3DTOP_ADDSMOOTH = 11;
inline constexpr uint32_t D3DTOP_BLENDDIFFUSEALPHA = 12;
inline constexpr uint32_t D3DTOP_BLENDTEXTUREALPHA = 13;
inline constexpr uint32_t D3DTOP_BLENDFACTORALPHA = 14;
inline constexpr uint32_t D3DTOP_BLENDTEXTUREALPHAPM = 15;
inline constexpr uint32_t D3DTOP_BLENDCURRENTALPHA = 16;
inline constexpr uint32_t D3DTOP_PREMODULATE = 17;
inline constexpr uint32_t D3DTOP_MODULATEALPHA_ADDCOLOR = 18;
inline constexpr uint32_t D3DTOP_MODULATECOLOR_ADDALPHA = 19;
inline constexpr uint32_t D3DTOP_MODULATEINVALPHA_ADDCOLOR = 20;
inline constexpr uint32_t D3DTOP_MODULATEINVCOLOR_ADDALPHA = 21;
inline constexpr uint32_t D3DTOP_BUMPENVMAP = 22;
inline constexpr uint32_t D3DTOP_BUMPENVMAPLUMINANCE = 23;
inline constexpr uint32_t D3DTOP_DOTPRODUCT3 = 24;

// ---- texture-stage arguments (COLORARG1/2, ALPHAARG1/2) ------------------------------------------
inline constexpr uint32_t D3DTA_SELECTMASK = 0x0F;
inline constexpr uint32_t D3DTA_DIFFUSE = 0;
inline constexpr uint32_t D3DTA_CURRENT = 1;  // the previous stage's result (the diffuse on stage 0)
inline constexpr uint32_t D3DTA_TEXTURE = 2;
inline constexpr uint32_t D3DTA_TFACTOR = 3;
inline constexpr uint32_t D3DTA_SPECULAR = 4;
inline constexpr uint32_t D3DTA_COMPLEMENT = 0x10;
inline constexpr uint32_t D3DTA_ALPHAREPLICATE = 0x20;

// ---- texture addressing, filters, coordinate transforms -----------------------------------------
inline constexpr uint32_t D3DTADDRESS_WRAP = 1;
inline constexpr uint32_t D3DTADDRESS_MIRROR = 2;
inline constexpr uint32_t D3DTADDRESS_CLAMP = 3;
inline constexpr uint32_t D3DTADDRESS_BORDER = 4;

inline constexpr uint32_t D3DTFG_POINT = 1;  // MAGFILTER
inline constexpr uint32_t D3DTFG_LINEAR = 2;
inline constexpr uint32_t D3DTFG_FLATCUBIC = 3;
inline constexpr uint32_t D3DTFG_GAUSSIANCUBIC = 4;
inline constexpr uint32_t D3DTFG_ANISOTROPIC = 5;
inline constexpr uint32_t D3DTFN_POINT = 1;  // MINFILTER
inline constexpr uint32_t D3DTFN_LINEAR = 2;
inline constexpr uint32_t D3DTFN_ANISOTROPIC = 3;
inline constexpr uint32_t D3DTFP_NONE = 1;  // MIPFILTER
inline constexpr uint32_t D3DTFP_POINT = 2;
inline constexpr uint32_t D3DTFP_LINEAR = 3;

inline constexpr uint32_t D3DTTFF_DISABLE = 0;  // TEXTURETRANSFORMFLAGS
inline constexpr uint32_t D3DTTFF_COUNT1 = 1;
inline constexpr uint32_t D3DTTFF_COUNT2 = 2;
inline constexpr uint32_t D3DTTFF_COUNT3 = 3;
inline constexpr uint32_t D3DTTFF_COUNT4 = 4;
inline constexpr uint32_t D3DTTFF_PROJECTED = 256;

// ---- other render-state values ------------------------------------------------------------------
inline constexpr uint32_t D3DCULL_NONE = 1;
inline constexpr uint32_t D3DCULL_CW = 2;
inline constexpr uint32_t D3DCULL_CCW = 3;

inline constexpr uint32_t D3DZB_FALSE = 0;
inline constexpr uint32_t D3DZB_TRUE = 1;
inline constexpr uint32_t D3DZB_USEW = 2;

inline constexpr uint32_t D3DFILL_POINT = 1;
inline constexpr uint32_t D3DFILL_WIREFRAME = 2;
inline constexpr uint32_t D3DFILL_SOLID = 3;

inline constexpr uint32_t D3DSHADE_FLAT = 1;
inline constexpr uint32_t D3DSHADE_GOURAUD = 2;

inline constexpr uint32_t D3DMCS_MATERIAL = 0;  // material colour sources
inline constexpr uint32_t D3DMCS_COLOR1 = 1;
inline constexpr uint32_t D3DMCS_COLOR2 = 2;

inline constexpr uint32_t D3DSTENCILOP_KEEP = 1;
inline constexpr uint32_t D3DFOG_NONE = 0;

// ---- transforms (Device::SetTransform) ----------------------------------------------------------
inline constexpr uint32_t D3DTRANSFORMSTATE_WORLD = 1;
inline constexpr uint32_t D3DTRANSFORMSTATE_VIEW = 2;
inline constexpr uint32_t D3DTRANSFORMSTATE_PROJECTION = 3;
inline constexpr uint32_t D3DTRANSFORMSTATE_TEXTURE0 = 16;  // .. TEXTURE7 = 23
inline constexpr uint32_t D3DTRANSFORMSTATE_TEXTURE7 = 23;

// ---- primitives, vertex formats, lights, clears -------------------------------------------------
inline constexpr uint32_t D3DPT_POINTLIST = 1;
inline constexpr uint32_t D3DPT_LINELIST = 2;
inline constexpr uint32_t D3DPT_LINESTRIP = 3;
inline constexpr uint32_t D3DPT_TRIANGLELIST = 4;
inline constexpr uint32_t D3DPT_TRIANGLESTRIP = 5;
inline constexpr uint32_t D3DPT_TRIANGLEFAN = 6;

// Flexible vertex format bits; the engine's vertices are XYZ | NORMAL | DIFFUSE | TEX1 (0x152).
inline constexpr uint32_t D3DFVF_XYZ = 0x002;
inline constexpr uint32_t D3DFVF_NORMAL = 0x010;
inline constexpr uint32_t D3DFVF_DIFFUSE = 0x040;
inline constexpr uint32_t D3DFVF_SPECULAR = 0x080;
inline constexpr uint32_t D3DFVF_TEX0 = 0x000;
inline constexpr uint32_t D3DFVF_TEX1 = 0x100;
inline constexpr uint32_t D3DFVF_TEX2 = 0x200;
inline constexpr uint32_t D3DFVF_TEXCOUNT_MASK = 0xF00;
inline constexpr uint32_t D3DFVF_TEXCOUNT_SHIFT = 8;

inline constexpr uint32_t D3DLIGHT_POINT = 1;
inline constexpr uint32_t D3DLIGHT_SPOT = 2;
inline constexpr uint32_t D3DLIGHT_DIRECTIONAL = 3;

inline constexpr uint32_t D3DCLEAR_TARGET = 1;
inline constexpr uint32_t D3DCLEAR_ZBUFFER = 2;
inline constexpr uint32_t D3DCLEAR_STENCIL = 4;

}  // namespace gfx
