// gl_stub.cpp -- keeps the drawing library non-empty before any drawing module exists
void JwGlLibraryPresent() {}
