// The box set's service worker: it keeps the page's files, so that after the first visit the page
// loads and plays with no network. The program's files carry their version in their names and are
// taken from the store; the page itself is asked of the network first, so that a new version
// comes with all of its own files at once, and taken from the store when the network fails.
const store = 'tolvane-%VERSION%';
const files = [%FILES%];

self.addEventListener('install', event => {
  event.waitUntil(caches.open(store).then(cache => cache.addAll(files)).then(() => self.skipWaiting()));
});

// A new version's store replaces the old ones.
self.addEventListener('activate', event => {
  event.waitUntil(caches.keys()
    .then(names => Promise.all(names.filter(name => name.startsWith('tolvane-') && name !== store)
                                    .map(name => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', event => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  if (request.mode === 'navigate') {
    event.respondWith(fetch(request)
      .then(response => {
        if (response.ok) {
          const copy = response.clone();
          event.waitUntil(caches.open(store).then(cache => cache.put('./', copy)));
        }
        return response;
      })
      .catch(() => caches.match('./')));
    return;
  }
  event.respondWith(caches.match(request).then(kept => kept || fetch(request)));
});
