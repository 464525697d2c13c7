// The installed program's service worker: the page and its two files are
// kept in the browser's cache when installed and served from the network
// while there is one (so a new version on the server arrives), else from
// the cache: the program keeps working after the server is gone.
var CACHE = 'sakuzu-@VERSION@';
var FILES = ['sakuzu.html', 'sakuzu.webmanifest', 'sakuzu-sw.js'];

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(CACHE).then(function (cache) { return cache.addAll(FILES); })
    .then(function () { return self.skipWaiting(); }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.filter(function (name) {
      return name.indexOf('sakuzu-') === 0 && name !== CACHE;
    }).map(function (name) { return caches.delete(name); }));
  }).then(function () { return self.clients.claim(); }));
});

self.addEventListener('fetch', function (event) {
  if (event.request.method !== 'GET') return;
  event.respondWith(fetch(event.request).then(function (response) {
    if (response.ok && new URL(event.request.url).origin === location.origin) {
      var copy = response.clone();
      caches.open(CACHE).then(function (cache) { cache.put(event.request, copy); });
    }
    return response;
  }).catch(function () {
    return caches.match(event.request, { ignoreSearch: true }).then(function (cached) {
      return cached || caches.match('sakuzu.html');
    });
  }));
});
