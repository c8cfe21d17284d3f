#include "tracking/matrix_toolkit.h"

#include <cmath>
#include <new>
#include <utility>
#include <vector>

Matrix* matrixAlloc(int rows, int cols)
{
    if (rows < 1 || cols < 1)
        return nullptr;
    Matrix* matrix = new (std::nothrow) Matrix;
    if (!matrix)
        return nullptr;
    matrix->m = new (std::nothrow) double[static_cast<size_t>(rows) * cols]();
    if (!matrix->m)
    {
        delete matrix;
        return nullptr;
    }
    matrix->row = rows;
    matrix->clm = cols;
    return matrix;
}

Vector* vectorAlloc(int n)
{
    if (n < 1)
        return nullptr;
    Vector* vector = new (std::nothrow) Vector;
    if (!vector)
        return nullptr;
    vector->v = new (std::nothrow) double[n]();
    if (!vector->v)
    {
        delete vector;
        return nullptr;
    }
    vector->clm = n;
    return vector;
}

int matrixFree(Matrix* m)
{
    if (m)
    {
        delete[] m->m;
        delete m;
    }
    return 0;
}

int vectorFree(Vector* v)
{
    if (v)
    {
        delete[] v->v;
        delete v;
    }
    return 0;
}

int matrixMul(Matrix* dest, const Matrix* a, const Matrix* b)
{
    if (a->clm != b->row || dest->row != a->row || dest->clm != b->clm)
        return -1;
    for (int r = 0; r < dest->row; ++r)
    {
        for (int c = 0; c < dest->clm; ++c)
        {
            double sum = 0.0;
            for (int k = 0; k < a->clm; ++k)
                sum += a->m[r * a->clm + k] * b->m[k * b->clm + c];
            dest->m[r * dest->clm + c] = sum;
        }
    }
    return 0;
}

// Row pivots are recorded and undone as column swaps at the end: pivoting
// the rows of A permutes the columns of A^-1.
int matrixSelfInv(Matrix* m)
{
    const int n = m->row;
    if (n < 1 || m->clm != n)
        return -1;
    double* a = m->m;
    if (n == 1)
    {
        if (std::fabs(a[0]) <= 1e-10)
            return -1;
        a[0] = 1.0 / a[0];
        return 0;
    }

    std::vector<int> pivotRow(n);
    for (int k = 0; k < n; ++k)
    {
        int p = k;
        for (int i = k + 1; i < n; ++i)
            if (std::fabs(a[i * n + k]) > std::fabs(a[p * n + k]))
                p = i;
        if (std::fabs(a[p * n + k]) <= 1e-10)
            return -1;
        pivotRow[k] = p;
        if (p != k)
            for (int j = 0; j < n; ++j)
                std::swap(a[p * n + j], a[k * n + j]);

        const double pivot = a[k * n + k];
        a[k * n + k] = 1.0;
        for (int j = 0; j < n; ++j)
            a[k * n + j] /= pivot;
        for (int i = 0; i < n; ++i)
        {
            if (i == k)
                continue;
            const double factor = a[i * n + k];
            a[i * n + k] = 0.0;
            for (int j = 0; j < n; ++j)
                a[i * n + j] -= factor * a[k * n + j];
        }
    }
    for (int k = n - 1; k >= 0; --k)
        if (pivotRow[k] != k)
            for (int i = 0; i < n; ++i)
                std::swap(a[i * n + k], a[i * n + pivotRow[k]]);
    return 0;
}

// Closed form for the symmetric 2 x 2 covariance: the line fit only ever
// passes 2-D points.
int matrixPCA(const Matrix* points, Matrix* eigenvectors, Vector* eigenvalues, Vector* mean)
{
    const int n = points->row;
    if (n < 2 || points->clm != 2 || eigenvectors->row != 2 || eigenvectors->clm != 2 ||
        eigenvalues->clm != 2 || mean->clm != 2)
        return -1;

    double mx = 0.0, my = 0.0;
    for (int i = 0; i < n; ++i)
    {
        mx += points->m[2 * i];
        my += points->m[2 * i + 1];
    }
    mx /= n;
    my /= n;

    double sxx = 0.0, sxy = 0.0, syy = 0.0;
    for (int i = 0; i < n; ++i)
    {
        const double dx = points->m[2 * i] - mx;
        const double dy = points->m[2 * i + 1] - my;
        sxx += dx * dx;
        sxy += dx * dy;
        syy += dy * dy;
    }
    const double trace = sxx + syy;
    if (trace <= 0.0)
        return -1;

    const double half = 0.5 * (sxx - syy);
    const double root = std::sqrt(half * half + sxy * sxy);
    const double lambda1 = 0.5 * trace + root;
    const double lambda2 = 0.5 * trace - root;

    double vx, vy;
    if (sxy != 0.0)
    {
        vx = lambda1 - syy;
        vy = sxy;
    }
    else if (sxx >= syy)
    {
        vx = 1.0;
        vy = 0.0;
    }
    else
    {
        vx = 0.0;
        vy = 1.0;
    }
    const double length = std::hypot(vx, vy);
    vx /= length;
    vy /= length;

    eigenvectors->m[0] = vx;
    eigenvectors->m[1] = vy;
    eigenvectors->m[2] = -vy;
    eigenvectors->m[3] = vx;
    eigenvalues->v[0] = lambda1 / trace;
    eigenvalues->v[1] = lambda2 / trace;
    mean->v[0] = mx;
    mean->v[1] = my;
    return 0;
}
