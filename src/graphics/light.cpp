// light.cpp -- material tables and packed-colour decoding (no drawing)
#include "graphics/light.h"

//------------------------------------------------------------------ materials
nJwMaterialStruct jwdefault = {
  {0.2f, 0.2f, 0.2f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 0.0f};
nJwMaterialStruct jwmetalmat = {
  {0.2f, 0.2f, 0.2f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}, {0.1f, 0.1f, 0.1f, 1.0f}, 25.0f};
nJwMaterialStruct jwshinymetalmat = {
  {0.2f, 0.2f, 0.2f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}, {0.7f, 0.7f, 0.7f, 1.0f}, 80.0f};
nJwMaterialStruct jwmattemat = {
  {0.2f, 0.2f, 0.2f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 0.0f};
nJwMaterialStruct jwtransparentmat = {
  {0.2f, 0.2f, 0.2f, 1.0f}, {0.8f, 0.8f, 0.8f, 0.2f}, {0.7f, 0.7f, 0.7f, 1.0f}, 80.0f};

//------------------------------------------------------------------ packed colours
// rgba[k] = ((color >> 8k) & 0xff) >> 2) / 255: the lights are bright enough for a quarter
void JwColorToFloat(JwColor color, float rgba[4]) {
  for (int k = 0; k < 4; k++) rgba[k] = (float)(((color >> (8*k)) & 0xffu) >> 2)/255.0f;
}
