// A static web server for the site, on 127.0.0.1: what static servers do,
// and no more. Used by the page's tests and benchmarks, and by
// scripts/serve-web.sh.
//   node serve.mjs SITE_DIR [PORT]
// As the site asks to be served (docs/web.md), or as three kinds of servers
// found in the wild serve it: `plain` sends only Last-Modified, `no-cache`
// has every file revalidated, `day` lets every file be cached for a day.
// The site's policy is sent as a header too; what the browser accepts of
// the .br and .gz copies beside a file is sent with its Content-Encoding.
import {createServer} from 'node:http';
import {readFile, stat} from 'node:fs/promises';
import {extname, join, normalize, resolve} from 'node:path';
import {fileURLToPath} from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.txt': 'text/plain; charset=utf-8',
};
export const policy = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; " +
    "style-src 'self'; img-src 'self'; manifest-src 'self'; object-src 'none'; " +
    "base-uri 'none'; form-action 'none'; frame-ancestors 'none'";
// A file named by what it holds (page.<16 hex digits>.js) never changes.
const named = /\.[0-9a-f]{16}\.\w+$/;
const caching = {
  site: (file) => named.test(file) ? 'public, max-age=31536000, immutable' : 'no-cache',
  plain: () => null,
  'no-cache': () => 'no-cache',
  day: () => 'max-age=86400',
};

// Serves `site` at `/` on a port of the system's choosing (or `port`), as
// `kind` says; resolves to the server, its address in `url`.
export function serve(site, {port = 0, kind = 'site'} = {}) {
  const root = resolve(site);
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
    if (!file.startsWith(root)) {
      response.writeHead(403).end();
      return;
    }
    try {
      const modified = (await stat(file)).mtime;
      modified.setMilliseconds(0);
      const headers = {
        'Content-Type': types[extname(file)] ?? 'application/octet-stream',
        'Last-Modified': modified.toUTCString(),
        'Content-Security-Policy': policy,
        'X-Content-Type-Options': 'nosniff',
        'Vary': 'Accept-Encoding',
      };
      const cache = caching[kind](file);
      if (cache !== null) headers['Cache-Control'] = cache;
      const since = Date.parse(request.headers['if-modified-since'] ?? '');
      if (since >= modified.getTime()) {
        response.writeHead(304, headers).end();
        return;
      }
      const accepted = request.headers['accept-encoding'] ?? '';
      let body = null;
      for (const [encoding, suffix] of [['br', '.br'], ['gzip', '.gz']]) {
        if (body === null && accepted.includes(encoding)) {
          body = await readFile(file + suffix).catch(() => null);
          if (body !== null) headers['Content-Encoding'] = encoding;
        }
      }
      response.writeHead(200, headers);
      response.end(body ?? await readFile(file));
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((done) => server.listen(port, '127.0.0.1', () => {
    server.url = `http://127.0.0.1:${server.address().port}/`;
    done(server);
  }));
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const server = await serve(process.argv[2], {port: Number(process.argv[3] ?? 8080)});
  console.log(`Tasa Efectiva: ${server.url}`);
}
