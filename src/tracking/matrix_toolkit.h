#pragma once
// Small dense matrices used inside the tracking library (homographies, the
// translation solve, line fitting). Allocated per call and freed before the
// call returns, so no state survives between frames.

struct Matrix
{
    double* m = nullptr; // row-major elements
    int row = 0;
    int clm = 0;
};

struct Vector
{
    double* v = nullptr;
    int clm = 0;
};

Matrix* matrixAlloc(int rows, int cols);
Vector* vectorAlloc(int n);
int matrixFree(Matrix* m);
int vectorFree(Vector* v);

// dest = a * b; -1 when the shapes do not fit.
int matrixMul(Matrix* dest, const Matrix* a, const Matrix* b);

// In-place Gauss-Jordan inverse with partial pivoting; -1 when a pivot is
// below 1e-10 (the matrix is then left partly transformed).
int matrixSelfInv(Matrix* m);

// Principal components of n x 2 points: unit eigenvectors (rows, decreasing
// eigenvalue), eigenvalues normalised to sum 1, and the mean. -1 when n < 2.
int matrixPCA(const Matrix* points, Matrix* eigenvectors, Vector* eigenvalues, Vector* mean);
