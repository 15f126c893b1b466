#pragma once
/* The product web site. Every address the setup opens or registers starts
   with its home page; the resource script reads this file too, so these
   are plain defines. */
#define PTV_SITE_HOST "www.lumetra.com"
#define PTV_SITE_HOME "http://" PTV_SITE_HOST
