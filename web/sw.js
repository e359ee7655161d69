'use strict';
// The web app's worker: keeps the folder's files in a cache named after the
// version and answers from it first, so that the app works without the
// network after its first visit. A new version on the server brings a new
// worker (this file changes with the version and with any of the files), which
// fills its own cache, takes over at once and deletes the caches of every
// other version; the page shows the new version from the next visit on.
const version = '@VERSION@';
const files = @FILES@;
// Their contents: @FILES_HASH@
// The cache of this copy of the app, apart from other copies on the same
// origin under other paths.
const scope = self.registration.scope;
const cacheName = `euro-umrechner-${version} ${scope}`;
const isOwnCache = (name) => name.startsWith('euro-umrechner-') && name.endsWith(` ${scope}`);

self.addEventListener('install', (event) => {
  // Past the browser's HTTP cache, which may still hold the old version's files.
  const fetchFresh = (file) => fetch(file, { cache: 'reload' }).then((response) => {
    if (!response.ok) {
      throw new Error(`${file}: ${response.status}`);
    }
    return response;
  });
  event.waitUntil(Promise.all(files.map(fetchFresh))
    .then((responses) => caches.open(cacheName)
      .then((cache) => Promise.all(responses.map((response, i) => cache.put(files[i], response)))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => isOwnCache(name) && name !== cacheName)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const { request } = event;
  if (request.method !== 'GET') {
    return;
  }
  // The folder's own address is its index.html.
  const key = request.mode === 'navigate' && request.url.split('?')[0] === scope ? 'index.html' : request;
  event.respondWith(caches.open(cacheName)
    .then((cache) => cache.match(key, { ignoreSearch: true }))
    .then((cached) => cached ?? fetch(request)));
});
