// Common base of the proxy classes. A proxy holds an object's pointer and, when
// it owns the object, deletes it once: on Dispose or, failing that, in the
// finalizer. A proxy for a reference into another object (get_Color, back_X,
// a chosen member) keeps that object's proxy alive, and every call through it
// throws ObjectDisposedException once that proxy, or any proxy it lives in,
// has been disposed: the object it pointed at is gone.
using System;

public abstract class KyrObject : IDisposable
{
    IntPtr m_handle;
    bool m_owns;
    readonly KyrObject m_owner;

    protected KyrObject(IntPtr handle, bool owns, KyrObject owner)
    {
        m_handle = handle;
        m_owns = owns;
        m_owner = owner;
    }

    ~KyrObject()
    {
        Release();
    }

    public void Dispose()
    {
        Release();
        GC.SuppressFinalize(this);
    }

    // True once this proxy, or the proxy of an object it lives in, has been disposed.
    public bool IsDisposed
    {
        get {
            for (KyrObject proxy = this; proxy != null; proxy = proxy.m_owner) {
                if (proxy.m_handle == IntPtr.Zero)
                    return true;
            }
            return false;
        }
    }

    protected void CheckAlive()
    {
        if (!IsDisposed)
            return;
        throw new ObjectDisposedException(GetType().Name, m_handle == IntPtr.Zero
            ? "The object has been disposed."
            : "The object this reference points into has been disposed.");
    }

    // Deletes the object through the most derived class's delete export.
    protected abstract void Delete();

    void Release()
    {
        lock (this) {
            if (m_handle == IntPtr.Zero)
                return;
            if (m_owns)
                Delete();
            m_handle = IntPtr.Zero;
            m_owns = false;
        }
    }
}
