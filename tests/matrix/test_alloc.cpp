// test_alloc.cpp -- covers src/matrix/alloc.cpp and the fatal messages of src/matrix/misc.cpp
#include <gtest/gtest.h>
#include <sys/resource.h>   // for: setrlimit()
#include <climits>          // for: INT_MAX

#include "matrix/matrix.h"

#if defined(__SANITIZE_ADDRESS__)
#define VELMORA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_ASAN 1
#endif
#endif

// caps the address space of a death-test child so that large requests really fail
static void CapMemory() {
  struct rlimit rl;
  rl.rlim_cur = rl.rlim_max = 512ull << 20;
  setrlimit(RLIMIT_AS, &rl);
}

// a 3 x 4 matrix is one block with rows 4 elements apart, row 0 at the block start
TEST(Alloc, MatrixIsOneContiguousBlock) {
  double** A = JmMatrix(3, 4);
  for (int i = 0; i < 3; i++) EXPECT_EQ(A[i], A[0] + 4*i);
  for (int k = 0; k < 12; k++) A[0][k] = k;
  EXPECT_EQ(A[2][3], 11.0);
  EXPECT_EQ(A[1][0], 4.0);
  JmFreeMatrix(A);                            // both blocks: checked by the sanitizer build
  float** B = JmFMatrix(2, 5);
  int** C = JmIMatrix(5, 2);
  EXPECT_EQ(B[1], B[0] + 5);
  EXPECT_EQ(C[4], C[0] + 8);
  JmFreeFMatrix(B);  JmFreeIMatrix(C);
  JmFreeMatrix(nullptr);
}

// wrapped matrices point into the caller's storage and leave it alone when freed
TEST(Alloc, ConvertMatrixWrapsCallerStorage) {
  double p[6] = {1, 2, 3, 4, 5, 6};
  double** A = JmConvertMatrix_(p, 2, 3);
  EXPECT_EQ(A[1][2], 6.0);
  A[0][1] = 20.0;
  EXPECT_EQ(p[1], 20.0);
  JmFreeConvertMatrix(A);
  EXPECT_EQ(p[5], 6.0);
  int q[4] = {1, 2, 3, 4};
  int** B = JmConvertIMatrix_(q, 2, 2);
  EXPECT_EQ(B[1][0], 3);
  JmFreeConvertIMatrix(B);
}

// A[i][j][k] is element (i*m + j)*n + k of one block; free releases all three levels
TEST(Alloc, ArrayLayout) {
  double*** A = JmArray(2, 3, 4);
  for (int i = 0; i < 2; i++)
    for (int j = 0; j < 3; j++)
      for (int k = 0; k < 4; k++) A[i][j][k] = 100*i + 10*j + k;
  double* p = A[0][0];
  EXPECT_EQ(p[(1*3 + 2)*4 + 3], 123.0);
  EXPECT_EQ(p[(0*3 + 1)*4 + 0], 10.0);
  JmFreeArray(A);
  float data[24];
  for (int k = 0; k < 24; k++) data[k] = (float)k;
  float*** F = JmConvertFArray_(data, 2, 3, 4);
  EXPECT_EQ(F[1][2][3], 23.0f);
  EXPECT_EQ(F[1][0][1], 13.0f);
  JwFreeConvertFArray(F);
  int*** I = JmIArray(1, 1, 1);
  I[0][0][0] = 7;
  EXPECT_EQ(I[0][0][0], 7);
  JmFreeIArray(I);
}

// empty shapes still give storage that can be freed
TEST(Alloc, ZeroSizes) {
  double* v = JmVector(0);
  double** A = JmMatrix(0, 0);
  double*** B = JmArray(0, 2, 2);
  EXPECT_NE(v, nullptr);
  EXPECT_NE(A, nullptr);
  EXPECT_NE(B, nullptr);
  JmFreeVector(v);  JmFreeMatrix(A);  JmFreeArray(B);
}

// a negative size is refused with the allocation message instead of wrapping around
TEST(AllocDeath, NegativeSizesAreFatal) {
  EXPECT_EXIT(JmVector(-1), testing::ExitedWithCode(1), "^vector: Allocation error\n$");
  EXPECT_EXIT(JmIVector(-5), testing::ExitedWithCode(1), "^ivector: Allocation error\n$");
  EXPECT_EXIT(JmMatrix(2, -3), testing::ExitedWithCode(1), "^matrix: Allocation error\n$");
}

// every allocator names itself when memory runs out
TEST(AllocDeath, ExhaustedMemoryMessages) {
#ifdef VELMORA_ASAN
  GTEST_SKIP() << "the address-space cap does not apply under AddressSanitizer";
#else
  const int big = INT_MAX/2;
  double dp[1];  float fp[1];  int ip[1];
  testing::ExitedWithCode one(1);
  EXPECT_EXIT({ CapMemory(); JmVector(big); }, one, "^vector: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmFVector(INT_MAX); }, one, "^fvector: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmIVector(INT_MAX); }, one, "^ivector: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmMatrix(big, 1); }, one, "^dmatrix: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmFMatrix(big, 1); }, one, "^dmatrix: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmIMatrix(big, 1); }, one, "^dmatrix: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmMatrix(1000, 1000000); }, one, "^matrix: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmFMatrix(1000, 1000000); }, one, "^fmatrix: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmIMatrix(1000, 1000000); }, one, "^imatrix: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmConvertMatrix_(dp, big, 1); }, one,
              "^convertmatrix: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmConvertFMatrix_(fp, big, 1); }, one,
              "^convertfmatrix: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmConvertIMatrix_(ip, big, 1); }, one,
              "^convertimatrix: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmArray(1000, 1000, 1000); }, one, "^array: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmFArray(1000, 1000, 1000); }, one, "^farray: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmIArray(1000, 1000, 1000); }, one, "^iarray: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmConvertArray_(dp, 1000, 100000, 1); }, one,
              "^convertarray: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmConvertFArray_(fp, 1000, 100000, 1); }, one,
              "^convertfarray: Allocation error\n$");
  EXPECT_EXIT({ CapMemory(); JmConvertIArray_(ip, 1000, 100000, 1); }, one,
              "^convertiarray: Allocation error\n$");
#endif
}

// JmError ends the process with the status given; JmWarning returns
TEST(MessagesDeath, ErrorExitsWithStatus) {
  EXPECT_EXIT(JmError(3, "bad %d\n", 42), testing::ExitedWithCode(3), "^bad 42\n$");
  testing::internal::CaptureStderr();
  JmWarning("careful %s\n", "now");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "careful now\n");
}
