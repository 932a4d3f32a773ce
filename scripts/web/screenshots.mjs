// Pictures of the web page for the README, in headless chromium: on a
// desktop-sized window and on a phone-sized screen, after 0,01 % a year
// over 365 periods and N.Mensual, typed in.
//   node screenshots.mjs SITE_DIR OUTPUT_DIR
import {join} from 'node:path';
import {launch, openReady} from './browser.mjs';
import {serve} from './serve.mjs';

const [site, out] = process.argv.slice(2);
const server = await serve(site);
const browser = await launch();
for (const [name, width, height, scale] of [['web-desktop', 1024, 768, 1],
  ['web-phone', 360, 640, 2]]) {
  const page = await openReady(browser, server.url, {width, height,
    deviceScaleFactor: scale, isMobile: scale > 1, hasTouch: scale > 1});
  for (const [id, text] of [['Text1', '0,01'], ['Text2', '365']]) {
    await page.click(`#${id}`, {clickCount: 3});
    await page.keyboard.type(text);
  }
  await page.click('#Command2');
  await page.screenshot({path: join(out, `${name}.png`),
    clip: name === 'web-desktop' ? {x: 312, y: 0, width: 400, height: 290} : undefined});
  await page.close();
}
await browser.close();
server.close();
