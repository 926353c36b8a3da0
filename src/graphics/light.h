// light.h -- packed colours, the five materials and the seven scene lights
#ifndef VELMORA_LIGHT_H
#define VELMORA_LIGHT_H

#include "graphics/jwtypes.h"

//------------------------------------------------------------------ materials
typedef struct _nJwMaterialStruct_ {
  float ambient[4];
  float diffuse[4];
  float specular[4];
  float shininess;
} nJwMaterialStruct;

// material display lists; 2 is never defined, so selecting it keeps the current material
enum { JwMatDefault = 1, JwMatMetal = 3, JwMatShinyMetal = 4, JwMatMatte = 5,
       JwMatTransparent = 6 };
// light display lists 11 ... 17 hold GL_LIGHT1 ... GL_LIGHT7
enum { JwLightListFirst = 11, JwLightListLast = 17 };

extern nJwMaterialStruct jwdefault;         // list 1
extern nJwMaterialStruct jwmetalmat;        // list 3
extern nJwMaterialStruct jwshinymetalmat;   // list 4
extern nJwMaterialStruct jwmattemat;        // list 5
extern nJwMaterialStruct jwtransparentmat;  // list 6

//------------------------------------------------------------------ packed colours (headless)
// rgba[k] = ((color >> 8k) & 0xff) >> 2) / 255: red in the lowest byte, alpha in the highest
void JwColorToFloat(JwColor color, float rgba[4]);

//------------------------------------------------------------------ drawing (light_gl.cpp)
// (re)compile material lists 1, 3, 4, 5, 6 and light lists 17, 11 ... 16; enables nothing
void JwInitLight(void);
// ambient, diffuse, specular, shininess on both faces; colour drives diffuse; enables
// GL_COLOR_MATERIAL
void nJwInitMaterial(nJwMaterialStruct* m);
// glCallList(mat)
void JwMatType(int mat);
// colour drives ambient and diffuse, then glColor4f of the decoded colour (of the override
// colour instead while one is set)
void JwMatColor(JwColor color);
// every later JwMatColor takes c instead of its own colour, and c becomes current now; 0 ends
// the override (the highlight of a touching body)
void JwSetColorOverride(JwColor c);
// glColor4f of the decoded colour only
void JwSetColor(JwColor color);
// as JwMatColor and JwSetColor, but a colour whose alpha byte is 0xff is drawn with alpha 1:
// what is opaque on screen stays opaque in an exported figure (gl2ps writes the alpha); the
// override colour replaces the colour of JwMatColorOpaque too
void JwMatColorOpaque(JwColor color);
void JwSetColorOpaque(JwColor color);
// the state lines are lit in whatever was drawn before: the matte material (list 5's
// values), the colour driving ambient and diffuse, the normal +z
void JwLineMaterial(void);
// nothing: solids drawn with it take the current material and colour
void nJwUseMaterial(int mat);

#endif
